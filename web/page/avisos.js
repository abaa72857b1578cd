// Messages tied to the fields they are about: each refused field marked
// (aria-invalid, a red border) and described by its message, written just
// after it; the first refused field takes the focus.

const $ = (id) => document.getElementById(id);

// Marks the fields `ids` by `problems` ([{ id, message }]): each field with
// problems is invalid and described by them, every other one valid again.
export function markFields(ids, problems) {
  for (const id of ids) {
    const field = $(id), note = id + "-aviso";
    const messages = problems.filter((p) => p.id === id).map((p) => p.message);
    field.classList.toggle("invalido", messages.length > 0);
    field.setAttribute("aria-invalid", String(messages.length > 0));
    const described = (field.getAttribute("aria-describedby") ?? "").split(" ").filter((t) => t && t !== note);
    if (messages.length === 0) {
      $(note)?.remove();
    } else {
      const span = $(note) ?? Object.assign(document.createElement("span"), { id: note, className: "aviso" });
      span.textContent = messages.join(" ");
      if (!span.isConnected) (field.closest("label") ?? field).after(span);
      described.unshift(note);
    }
    if (described.length) field.setAttribute("aria-describedby", described.join(" "));
    else field.removeAttribute("aria-describedby");
  }
  problems.map((p) => $(p.id)).find(Boolean)?.focus();
}
