// The phone's position from the browser (the Geolocation API), once or as
// it changes, or a message that says plainly why there is none.
export class NoPosition extends Error {}

const TIMEOUT = 30000;

const noService = () => new NoPosition('This browser cannot tell where you are: it has no location service.');

function whyNot(e, timeout) {
  const why = {
    1: 'The page may not know where you are: allow the location for this page in the browser’s site settings, then try again.',
    2: 'No position: the phone found no fix. Turn the location on, or try again under the open sky.',
    3: `No position within ${timeout / 1000} s: try again under the open sky.`,
  };
  return new NoPosition(why[e.code] ?? `No position: ${e.message}`);
}

const fixOf = ({ coords }) => ({ lat: coords.latitude, lon: coords.longitude, accuracy: coords.accuracy });

export function findHere({ timeout = TIMEOUT } = {}) {
  return new Promise((resolve, reject) => {
    if (!('geolocation' in navigator)) {
      reject(noService());
      return;
    }
    navigator.geolocation.getCurrentPosition(
      (position) => resolve(fixOf(position)),
      (e) => reject(whyNot(e, timeout)),
      { enableHighAccuracy: true, timeout, maximumAge: 10000 },
    );
  });
}

// Calls `onFix({lat, lon, accuracy})` with every new fix, and `onError`
// with a NoPosition; the watch goes on after a fix that came late. Returns
// the function that stops it.
export function watchHere(onFix, onError) {
  if (!('geolocation' in navigator)) {
    onError(noService());
    return () => {};
  }
  const id = navigator.geolocation.watchPosition(
    (position) => onFix(fixOf(position)),
    (e) => onError(whyNot(e, TIMEOUT)),
    { enableHighAccuracy: true, timeout: TIMEOUT, maximumAge: 0 },
  );
  return () => navigator.geolocation.clearWatch(id);
}
