// The phone's position from the browser (the Geolocation API), or a message
// that says plainly why there is none.
export class NoPosition extends Error {}

export function findHere({ timeout = 30000 } = {}) {
  return new Promise((resolve, reject) => {
    if (!('geolocation' in navigator)) {
      reject(new NoPosition('This browser cannot tell where you are: it has no location service.'));
      return;
    }
    navigator.geolocation.getCurrentPosition(
      ({ coords }) => resolve({ lat: coords.latitude, lon: coords.longitude, accuracy: coords.accuracy }),
      (e) => {
        const why = {
          1: 'The page may not know where you are: allow the location for this page in the browser’s site settings, then try again.',
          2: 'No position: the phone found no fix. Turn the location on, or try again under the open sky.',
          3: `No position within ${timeout / 1000} s: try again under the open sky.`,
        };
        reject(new NoPosition(why[e.code] ?? `No position: ${e.message}`));
      },
      { enableHighAccuracy: true, timeout, maximumAge: 10000 },
    );
  });
}
