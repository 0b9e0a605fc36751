// dxNavBar1: the four groups of part items, one open at a time, each item
// its icon and caption with the window's tooltip; a click places the part.
export function buildPalette(nav, palette, onItem) {
  const groups = palette.groups.map((group, index) => {
    const header = document.createElement("button");
    header.className = "group";
    header.textContent = group.caption;
    const list = document.createElement("div");
    list.className = "items";
    list.id = group.name;
    list.hidden = index !== 0;
    for (const item of group.items) {
      const entry = document.createElement("button");
      entry.className = "item";
      entry.dataset.item = item.item;
      entry.title = item.hint;
      const icon = document.createElement("img");
      icon.src = `icons/${String(item.icon).padStart(2, "0")}.svg`;
      icon.alt = "";
      const caption = document.createElement("span");
      caption.textContent = item.caption;
      entry.append(icon, caption);
      entry.addEventListener("click", () => onItem(item.item));
      list.append(entry);
    }
    header.addEventListener("click", () => groups.forEach((g) => (g.hidden = g !== list)));
    nav.append(header, list);
    return list;
  });
}
