// Input boxes made from the catalog's parameters: a visible label with name,
// symbol and unit, a name equal to the command line's option, and a place
// for the core's message when the value cannot be used.

import { el, uniqueId } from './dom.js';
import { parameterLabel } from './i18n.js';
import { preview, tooLongToShow } from './long-text.js';

export class Field {
  // kind: 'text' | 'textarea' | 'select' | 'checkbox'. label() gives the label's text now;
  // placeholder, what a blank box stands for (the value the core takes).
  constructor(key, { kind = 'text', label, hint, options = [], initial = '', placeholder = '', onInput }) {
    this.key = key;
    this.kind = kind;
    this.labelText = label;
    this.hintText = hint;
    const id = uniqueId(`field-${key}`);
    this.errorId = `${id}-problem`;
    this.hintId = `${id}-hint`;
    if (kind === 'select') {
      this.input = el('select', { id, name: key });
      this.setOptions(options);
    } else if (kind === 'checkbox') {
      this.input = el('input', { id, name: key, type: 'checkbox' });
      this.input.checked = Boolean(initial);
    } else if (kind === 'textarea') {
      this.input = el('textarea', { id, name: key, rows: 6, autocomplete: 'off', spellcheck: 'false' });
    } else {
      this.input = el('input', { id, name: key, type: 'text', autocomplete: 'off', spellcheck: 'false', placeholder: placeholder || undefined });
    }
    // The whole of a text too long to show, which the box shows the start of.
    this.aside = null;
    if (kind === 'text' || kind === 'textarea') this.value = initial ?? '';
    this.label = el('label', { for: id });
    this.hint = el('span', { id: this.hintId, class: 'hint' });
    this.problem = el('span', { id: this.errorId, class: 'problem', role: 'alert' });
    this.row = kind === 'checkbox'
      ? el('div', { class: 'field checkbox' }, this.input, this.label)
      : el('div', { class: 'field' }, this.label, this.input, this.hint, this.problem);
    if (kind === 'select') this.input.addEventListener('change', () => { this.wanted = undefined; });
    const typed = kind === 'text' || kind === 'textarea';
    if (typed) {
      this.input.addEventListener('paste', (event) => this.pasted(event));
      // An edit of the start shown makes it the box's text.
      this.input.addEventListener('beforeinput', () => { this.aside = null; });
    }
    if (onInput) this.input.addEventListener(typed ? 'input' : 'change', onInput);
    this.relabel();
  }

  // Keeps the chosen value while it is still offered; a value restored before
  // its option existed is taken up as soon as it is offered. Consecutive
  // options with the same group ({key, text()}) go under one <optgroup>.
  setOptions(options) {
    const offered = (v) => options.some((o) => o.value === v);
    const keep = offered(this.wanted) ? this.wanted : this.input.value;
    this.options = options;
    this.groups = [];
    const children = [];
    for (const o of options) {
      const option = el('option', { value: o.value, text: o.text() });
      if (!o.group) {
        children.push(option);
        continue;
      }
      let last = this.groups[this.groups.length - 1];
      if (last?.key !== o.group.key || children[children.length - 1] !== last.node) {
        last = { key: o.group.key, text: o.group.text, node: el('optgroup', { label: o.group.text() }) };
        this.groups.push(last);
        children.push(last.node);
      }
      last.node.append(option);
    }
    this.input.replaceChildren(...children);
    if (offered(keep)) this.input.value = keep;
  }

  relabel() {
    this.label.textContent = this.labelText();
    this.hint.textContent = this.hintText ? this.hintText() : '';
    if (this.kind === 'select') {
      this.options.forEach((o, k) => { this.input.options[k].textContent = o.text(); });
      for (const group of this.groups) group.node.label = group.text();
    }
    this.describe();
  }

  // A paste too long to show goes where the selection was, as the browser
  // would put it, without the browser laying it out. (A one-line box would
  // take its line ends as blanks; they stay: no number or range is that long,
  // and the core's message shows them as blanks.)
  pasted(event) {
    const text = event.clipboardData?.getData('text/plain') ?? '';
    const { value, selectionStart, selectionEnd } = this.input;
    // Within a start shown, a place means nothing: the paste takes the box.
    const whole = this.aside === null ? value.slice(0, selectionStart) + text + value.slice(selectionEnd) : text;
    if (this.aside === null && !tooLongToShow(whole)) return;
    event.preventDefault();
    this.value = whole;
    // Reading the clipboard took this task long enough: the panel follows in the next.
    setTimeout(() => this.input.dispatchEvent(new Event('input', { bubbles: true })));
  }

  get value() {
    if (this.kind === 'checkbox') return this.input.checked;
    return this.aside ?? this.input.value;
  }

  // What the box shows: the value, or the start of a text kept aside.
  get shownValue() {
    return this.input.value;
  }

  set value(v) {
    if (this.kind === 'checkbox') this.input.checked = Boolean(v);
    else if (this.kind !== 'select') {
      const text = String(v);
      this.aside = tooLongToShow(text) ? text : null;
      this.input.value = this.aside === null ? text : preview(text, this.kind === 'textarea');
    } else {
      this.wanted = v;
      if (this.options.some((o) => o.value === v)) this.input.value = v;
    }
  }

  get shown() {
    return !this.row.hidden;
  }

  show(visible) {
    this.row.hidden = !visible;
    if (!visible) this.setProblem(null);
  }

  setDisabled(disabled) {
    this.input.disabled = disabled;
    if (disabled) this.setProblem(null);
  }

  // The core's message for this box, or null to clear it.
  setProblem(message) {
    this.problem.textContent = message ?? '';
    if (message) this.input.setAttribute('aria-invalid', 'true');
    else this.input.removeAttribute('aria-invalid');
    this.describe();
  }

  describe() {
    const ids = [];
    if (this.hint.textContent) ids.push(this.hintId);
    if (this.problem.textContent) ids.push(this.errorId);
    if (ids.length) this.input.setAttribute('aria-describedby', ids.join(' '));
    else this.input.removeAttribute('aria-describedby');
  }
}

// A panel's boxes by key.
export class FieldSet {
  constructor() {
    this.fields = new Map();
  }

  add(field) {
    this.fields.set(field.key, field);
    return field;
  }

  get(key) {
    return this.fields.get(key);
  }

  // The texts of the shown and enabled text boxes and selects, by option name.
  texts() {
    const texts = {};
    for (const f of this.fields.values()) {
      if (f.kind === 'checkbox' || !f.shown || f.input.disabled) continue;
      texts[f.key] = f.value;
    }
    return texts;
  }

  // Everything, checkboxes included, for keeping between visits; a text too
  // long to show is not kept (storage takes a few megabytes at most, and
  // writing them at every keystroke would cost more than the keystroke).
  snapshot() {
    return Object.fromEntries([...this.fields.values()].filter((f) => f.aside === null).map((f) => [f.key, f.value]));
  }

  restore(saved) {
    if (!saved || typeof saved !== 'object') return;
    for (const [key, value] of Object.entries(saved)) {
      const f = this.fields.get(key);
      if (f && (typeof value === 'string' || typeof value === 'boolean')) f.value = value;
    }
  }

  // Ties each problem to its box; returns those no shown box owns.
  markProblems(problems) {
    const rest = [];
    const byField = new Map();
    for (const p of problems) {
      const f = this.fields.get(p.field);
      if (f && f.shown && !f.input.disabled) {
        const known = byField.get(p.field);
        if (!known) byField.set(p.field, p.message);
        else if (!known.split('；').includes(p.message)) byField.set(p.field, `${known}；${p.message}`);
      } else {
        rest.push(p);
      }
    }
    for (const f of this.fields.values()) f.setProblem(byField.get(f.key) ?? null);
    return rest;
  }

  relabel() {
    for (const f of this.fields.values()) f.relabel();
  }
}

// A text box labelled from the catalog in the panel's unit system.
export function parameterField(catalog, key, system, options = {}) {
  return new Field(key, { label: () => parameterLabel(catalog, key, system()), ...options });
}
