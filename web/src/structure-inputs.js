// A structure's boxes as its question declares them (the catalog's question
// table), as plain data the panel turns into boxes: a choice becomes a picker
// of its values (a blank first where the core takes none by default), a
// transition's form is offered from its family's table, each group of
// exclusive inputs stands behind one picker of which to give, and a panel
// may name the boxes a choice shows (a culvert's B and H for a rectangular
// barrel).

import { questionInputs } from './questions.js';

// The table a structure's transition forms come from: a tunnel borrows the aqueduct's.
export const formFamily = { siphon: 'siphon', aqueduct: 'aqueduct', tunnel: 'aqueduct', culvert: 'culvert' };
const formKeys = new Set(['inlet-form', 'outlet-form', 'form']);

// The page's picker of which input of exclusive group `group` is given.
export const oneOfKey = (group) => `one-of-${group}`;

// A value's words: a term's, a section's, else the value itself.
function choiceName(catalog, value) {
  return catalog.terms[value] ?? catalog.sectionByKey.get(value)?.name ?? { zh: value, en: value };
}

// The options of a choice input, [{value, name: {zh, en} or null for the
// blank}], or null for an input that is no choice. A form's options carry
// their family; `offered` narrows the core's values to those a panel takes.
export function choiceOptions(catalog, input, offered) {
  const forms = catalog.structureForms ?? { entrances: [], transitions: [] };
  let options;
  if (formKeys.has(input.key)) {
    options = forms.transitions.map((form) => ({ value: form.key, name: form.name, family: form.family }));
  } else if (input.choices?.length) {
    const entrance = new Map(forms.entrances.map((form) => [form.key, form.name]));
    options = (offered ?? input.choices).map((value) => ({ value, name: entrance.get(value) ?? choiceName(catalog, value) }));
  } else {
    return null;
  }
  return input.default ? options : [{ value: '', name: null }, ...options];
}

// A form picker's options for one family (the blank kept).
export function familyOptions(options, family) {
  return options.filter((option) => option.family === undefined || option.family === family);
}

// The boxes in the question's order: {key, kind: 'text' | 'select' | 'pick',
// byDefault, list (a text of several items), options (a select's), members
// (a pick's, placed before the first of them)}. setup.choices: narrower values
// by key.
export function inputPlan(catalog, question, setup = {}) {
  const inputs = questionInputs(catalog, question);
  const plan = [];
  const picked = new Set();
  for (const input of inputs) {
    if (input.oneOf && !picked.has(input.oneOf)) {
      picked.add(input.oneOf);
      plan.push({ key: oneOfKey(input.oneOf), kind: 'pick', members: inputs.filter((i) => i.oneOf === input.oneOf).map((i) => i.key) });
    }
    const options = choiceOptions(catalog, input, setup.choices?.[input.key]);
    const limit = catalog.parameterByKey.get(input.key)?.limit;
    plan.push(options
      ? { key: input.key, kind: 'select', byDefault: input.default, options }
      : { key: input.key, kind: 'text', byDefault: input.default, list: limit === 'list' });
  }
  return plan;
}

// The keys of the plan shown while value(key) gives each picker's value: an
// exclusive input when its picker picks it, a key setup.shows lists under a
// choice ({choice: {value: [keys]}}) when the choice has that value.
export function shownKeys(plan, setup, value) {
  const hidden = new Set();
  for (const entry of plan) {
    if (entry.kind === 'pick') for (const member of entry.members) if (member !== value(entry.key)) hidden.add(member);
  }
  for (const [choice, byValue] of Object.entries(setup.shows ?? {})) {
    const here = new Set(byValue[value(choice)] ?? []);
    for (const keys of Object.values(byValue)) for (const key of keys) if (!here.has(key)) hidden.add(key);
  }
  return new Set(plan.map((entry) => entry.key).filter((key) => !hidden.has(key)));
}

// What the core is asked, from the shown boxes' texts: the page's own
// pickers and boxes left out, and a choice left at the core's default too,
// as on a command line that does not give it.
export function questionTexts(plan, texts, pageOnly = []) {
  const asked = { ...texts };
  for (const key of pageOnly) delete asked[key];
  for (const entry of plan) {
    if (entry.kind === 'pick' || (entry.kind === 'select' && asked[entry.key] === entry.byDefault)) delete asked[entry.key];
  }
  return asked;
}
