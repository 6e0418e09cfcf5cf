// The channel's boxes, shared by the toolkit's panels: the section and its
// sizes (from the catalog's sections), the unit system and the roughness.

import { Field, parameterField } from './fields.js';
import { currentLanguage, t, termText } from './i18n.js';
import { roughnessKeys } from './questions.js';

// What a new page shows before the user types anything.
export const initialTexts = {
  B: '2', m: '1', m1: '1', m2: '1.5', D: '1', r: '0.5', p: '1.5', h: '1', i: '0.001', n: '0.025',
  'n-bed': '0.014', 'n-wall': '0.025', Q: '2.76', h0: '1.5', h1: '0.5', 'to-h': '', length: '500', steps: '100',
};

// A section drawn by its surveyed points has its own panel, where points are
// entered; the pickers here offer the sections sized by a few boxes.
export const sizedSections = (catalog) => catalog.sections.filter((s) => s.key !== 'points');

// The unit system's picker; labels follow it, so a change relabels the boxes.
export function unitsField(catalog, fields, onInput) {
  return fields.add(new Field('units', {
    kind: 'select', label: () => parameterLabelPlain(catalog, 'units'), onInput: () => { fields.relabel(); onInput(); },
    options: Object.keys(catalog.units).map((key) => ({ value: key, text: () => termText(catalog, key) })),
  }));
}

// The boxes that take the place of m when the side slopes differ.
const unequalSlopes = ['m1', 'm2'];

export class ChannelInputs {
  // roughness: whether the panel needs n (a jump does not).
  constructor(catalog, fields, { roughness = true, onInput }) {
    this.catalog = catalog;
    this.fields = fields;
    this.roughness = roughness;
    const system = () => this.system();
    const changed = () => {
      this.arrange();
      onInput();
    };
    this.section = fields.add(new Field('section', {
      kind: 'select', label: () => parameterLabelPlain(catalog, 'section'), onInput: changed,
      options: sizedSections(catalog).map((s) => ({ value: s.key, text: () => s.name[currentLanguage()] })),
    }));
    this.units = unitsField(catalog, fields, changed);
    this.asymmetric = fields.add(new Field('asymmetric', { kind: 'checkbox', label: () => t('asymmetric'), onInput: changed }));
    this.sizeKeys = [...new Set(sizedSections(catalog).flatMap((s) => s.parameters))];
    for (const key of this.sizeKeys) {
      fields.add(parameterField(catalog, key, system, { initial: initialTexts[key] ?? '', onInput }));
    }
    this.roughnessKeys = [];
    if (roughness) {
      this.composite = fields.add(new Field('composite', { kind: 'checkbox', label: () => t('composite'), onInput: changed }));
      for (const key of roughnessKeys(catalog)) {
        fields.add(parameterField(catalog, key, system, { initial: initialTexts[key] ?? '', onInput }));
        this.roughnessKeys.push(key);
      }
    }
  }

  system() {
    return this.units.value || 'si';
  }

  sectionKey() {
    return this.section.value || sizedSections(this.catalog)[0].key;
  }

  // The first of the section's sizes: B, D, r or p.
  sizeKey() {
    return this.catalog.sectionByKey.get(this.sectionKey()).parameters[0];
  }

  composed() {
    return Boolean(this.composite?.value);
  }

  // Shows the boxes the chosen section, slopes and roughness take.
  arrange() {
    const section = this.catalog.sectionByKey.get(this.sectionKey());
    const takesUnequal = unequalSlopes.every((k) => section.parameters.includes(k));
    this.asymmetric.show(takesUnequal);
    const unequal = takesUnequal && this.asymmetric.value;
    for (const key of this.sizeKeys) {
      let shown = section.parameters.includes(key);
      if (takesUnequal && (key === 'm' || unequalSlopes.includes(key))) shown = unequal === unequalSlopes.includes(key);
      this.fields.get(key).show(shown);
    }
    if (this.roughness) {
      // One n, or the bed's and the walls' apart.
      const composite = this.composed();
      for (const key of this.roughnessKeys) this.fields.get(key).show((key !== 'n') === composite);
    }
  }

  rows() {
    return [this.section, this.units, this.asymmetric, ...this.sizeKeys.map((k) => this.fields.get(k))].map((f) => f.row);
  }

  roughnessRows() {
    if (!this.roughness) return [];
    return [this.composite, ...this.roughnessKeys.map((k) => this.fields.get(k))].map((f) => f.row);
  }
}

function parameterLabelPlain(catalog, key) {
  return catalog.parameterByKey.get(key)?.name[currentLanguage()] ?? key;
}
