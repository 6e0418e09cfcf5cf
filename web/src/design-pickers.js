// The choices of a canal design's pickers, from the catalog's copies of the
// design tables: a bed (lining) from Appendix B with its n, a soil from
// Appendix C or the side-slope table. Grouped as the tables group their rows,
// so a long list reads as the standard prints it.

import { currentLanguage, t } from './i18n.js';

// A row's n as the table prints it: one value, or a range, in the core's digits.
export function roughnessRange(row) {
  return row.n_low.text === row.n_high.text ? row.n_low.text : `${row.n_low.text}～${row.n_high.text}`;
}

// [{value, text(), group}] with a first choice of none (n typed instead).
export function liningOptions(design) {
  const none = { value: '', text: () => t('noLining') };
  return [none, ...design.roughness.map((row) => ({
    value: row.key,
    text: () => `${row.name[currentLanguage()]}（n = ${roughnessRange(row)}）`,
    group: { key: `${row.table} ${row.group.zh}`, text: () => `${row.table} ${row.group[currentLanguage()]}` },
  }))];
}

// Soils with a non-scouring velocity are grouped by their Appendix C table;
// those the side-slope table alone knows come last.
export function soilOptions(design) {
  const scourRow = new Map(design.scour.map((row) => [row.key, row]));
  const none = { value: '', text: () => t('noSoil') };
  return [none, ...design.soils.map((soil) => {
    const row = soil.scour ? scourRow.get(soil.key) : undefined;
    const group = row
      ? { key: `${row.table} ${row.group.zh}`, text: () => `${row.table} ${row.group[currentLanguage()]}`.trim() }
      : { key: 'side-slope', text: () => t('sideSlopeSoils') };
    return { value: soil.key, text: () => soil.name[currentLanguage()], group };
  })];
}
