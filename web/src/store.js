// The user's last inputs and language, kept in localStorage when the browser
// allows it; without storage (a private window, file:// in some browsers)
// the page simply starts fresh each time.

const prefix = 'channelflow.';

export function load(key, fallback) {
  try {
    const text = globalThis.localStorage?.getItem(prefix + key);
    return text === null || text === undefined ? fallback : JSON.parse(text);
  } catch {
    return fallback;
  }
}

export function save(key, value) {
  try {
    globalThis.localStorage?.setItem(prefix + key, JSON.stringify(value));
  } catch {
    // Storage full or refused: the inputs stay on the page only.
  }
}
