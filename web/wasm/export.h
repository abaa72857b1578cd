// A function the WebAssembly module exports to the page, by name.
#pragma once

#define TORVEN_WASM_EXPORT(name) extern "C" __attribute__((export_name(name)))
