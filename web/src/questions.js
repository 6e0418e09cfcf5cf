// The inputs a question takes, as the core's question table declares them
// (the catalog's questions and channelInputs): the panels build their boxes
// from these rather than list them by hand.

// The question's own inputs ({key, required, default, oneOf}), the channel's
// not among them, less the keys in `skip`.
export function questionInputs(catalog, name, skip = []) {
  const question = catalog.questionByName.get(name);
  return (question?.inputs ?? []).filter((input) => !skip.includes(input.key));
}

// The keys only a surveyed section takes (its points, a water level): left
// out where a panel offers the sized sections alone.
export function surveyKeys(catalog) {
  return catalog.sectionByKey.get('points')?.parameters ?? [];
}

// The channel's inputs that are neither its shape, its units nor a section's
// size or points: its roughness (n, or the bed's and the walls').
export function roughnessKeys(catalog) {
  const shaped = new Set(['section', 'units', ...catalog.sections.flatMap((s) => s.parameters)]);
  return (catalog.channelInputs ?? []).map((input) => input.key).filter((key) => !shaped.has(key));
}
