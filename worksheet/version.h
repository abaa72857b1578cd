// Version constants of the add-in, kept as 16-bit text so that every system
// shows the same characters whatever its ANSI code page.
#pragma once

#include <initializer_list>

#include "host/records.h"
#include "platform/export.h"
#include "torven_version.h"

namespace worksheet {

// The version and the author come from the build, which also writes them into
// the Windows version resources.
inline constexpr const XCHAR* kProductLabel =
    platform::k32Bit ? u"VENTISOLA.XLL 32 bits v" TORVEN_VERSION_MAJOR_TEXT
                     : u"VENTISOLA.XLL 64 bits v" TORVEN_VERSION_MAJOR_TEXT;
inline constexpr const XCHAR* kAuthorName = u"" TORVEN_AUTHOR_TEXT;
inline constexpr const XCHAR* kAuthorContact = u"" TORVEN_CONTACT_TEXT;
inline constexpr const XCHAR* kReleaseNote = u"Jun-2018 (versi\u00f3n original oct-2004)";

// Formats of the texts shown to users.
inline constexpr const XCHAR* kVersionFormat = u"%hs; %hs (%hs), %hs.";
inline constexpr const XCHAR* kCountedVersionFormat = u"%c%hs; %hs (%hs), %hs.";
inline constexpr const XCHAR* kDisplayNameFormat = u"%hs (%hs, %hs)";
inline constexpr const XCHAR* kCountedDisplayNameFormat = u"%c%hs (%hs, %hs)";
inline constexpr const XCHAR* kAddAlertFormat =
    u" \u00a1Felicitaciones!\n Ud. logr\u00f3 habilitar las funciones %hs.\n %hs (%hs).\n %hs.";
inline constexpr const XCHAR* kRemoveAlertFormat =
    u" Funciones %hs deshabilitadas.\n %hs (%hs).\n %hs.";

// Buffer sizes: counted answers hold count, text and terminator.
inline constexpr int kAnswerChars = 128;
inline constexpr int kAlertChars = 256;

}  // namespace worksheet

namespace worksheet {

// Length of a text formatted by FormatWide from `format` and `texts` (every
// directive a %hs), computed at compile time to prove the buffer limits.
constexpr int FormattedLength(const XCHAR* format, std::initializer_list<const XCHAR*> texts) {
  int n = 0;
  const XCHAR* const* next = texts.begin();
  for (const XCHAR* f = format; *f != 0; ++f) {
    if (f[0] == u'%' && f[1] == u'h' && f[2] == u's') {
      for (const XCHAR* t = *next++; *t != 0; ++t) ++n;
      f += 2;
    } else {
      ++n;
    }
  }
  return n;
}

static_assert(FormattedLength(kVersionFormat, {kProductLabel, kAuthorName, kAuthorContact,
                                               kReleaseNote}) <= kAnswerChars - 2);
static_assert(FormattedLength(kDisplayNameFormat, {kProductLabel, kAuthorName, kReleaseNote}) <=
              kAnswerChars - 2);
static_assert(FormattedLength(kAddAlertFormat, {kProductLabel, kAuthorName, kAuthorContact,
                                                kReleaseNote}) <= kAlertChars - 1);
static_assert(FormattedLength(kRemoveAlertFormat, {kProductLabel, kAuthorName, kAuthorContact,
                                                   kReleaseNote}) <= kAlertChars - 1);

}  // namespace worksheet
