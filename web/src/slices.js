// Long work in slices, each in a task of its own, so that the page draws and
// takes keys in between: a task of more than 100 ms is a freeze people feel.

const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));

// Calls step() until it returns true, in slices of about `budget` ms, each
// after await pause() (so the caller's task ends first). Resolves false,
// leaving the rest undone, when wanted() turns false during a pause.
export async function inSlices(step, { pause = nextTask, wanted = () => true, budget = 15 } = {}) {
  for (let finished = false; !finished;) {
    await pause();
    if (!wanted()) return false;
    const end = performance.now() + budget;
    do finished = step(); while (!finished && performance.now() < end);
  }
  return true;
}
