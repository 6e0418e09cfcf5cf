// A section's outline as the drawings take it, from the tables of its answer
// (the outline question's record, or a design's drawing group): points as
// [x, z], each boundary segment's n as the core wrote it (null where it has
// none), the surface's wet stretches as [from, z, to] and the lines dividing
// a surveyed section's parts as [x, z, x, top].

function rowsOf(table, keys) {
  if (!table) return [];
  const at = keys.map((key) => table.column(key));
  return table.rows.map((row) => at.map((k) => (k >= 0 ? row.cells[k].value : null)));
}

export function outlineGeometry(record) {
  const segments = record.table('segments');
  const nAt = segments ? segments.column('n') : -1;
  return {
    boundary: rowsOf(record.table('boundary'), ['x', 'z']),
    water: rowsOf(record.table('water'), ['x', 'z']),
    waterEnlarged: rowsOf(record.table('water_enlarged'), ['x', 'z']),
    segments: (segments?.rows ?? []).map((row, k) => {
      const n = row.cells[nAt];
      return { from: k, to: k + 1, n: n?.kind === 'number' ? n.full : null };
    }),
    surface: rowsOf(record.table('surface'), ['from', 'z', 'to']),
    dividers: rowsOf(record.table('dividers'), ['x', 'z', 'x', 'top']),
  };
}
