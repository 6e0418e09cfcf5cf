// Small builders over the DOM. Text always goes in as text nodes or
// attributes, so nothing a user typed is ever read as markup.

const svgNamespace = 'http://www.w3.org/2000/svg';

function build(node, attributes, children) {
  for (const [name, value] of Object.entries(attributes ?? {})) {
    if (value === undefined || value === null || value === false) continue;
    if (name === 'text') node.textContent = value;
    else if (name.startsWith('on')) node.addEventListener(name.slice(2), value);
    else node.setAttribute(name, value === true ? '' : String(value));
  }
  for (const child of children.flat()) {
    if (child === null || child === undefined || child === false) continue;
    node.append(typeof child === 'string' ? document.createTextNode(child) : child);
  }
  return node;
}

export function el(tag, attributes, ...children) {
  return build(document.createElement(tag), attributes, children);
}

export function svg(tag, attributes, ...children) {
  return build(document.createElementNS(svgNamespace, tag), attributes, children);
}

export function clear(node) {
  node.replaceChildren();
  return node;
}

let nextId = 0;
export function uniqueId(prefix) {
  nextId += 1;
  return `${prefix}-${nextId}`;
}
