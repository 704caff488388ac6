// The hand-off on a phone: the point the script set, as a geo: link, a GPX
// waypoint file and text to copy. The engine makes all three forms.
const $ = (id) => document.getElementById(id);
let gpxUrl = null;

// point: the engine's point(); gpx(): the GPX text; base: the script's name
// without its extension.
export function showHandOff(point, gpx, base) {
  const message = $('handoff-message');
  const section = $('handoff-point');
  if (gpxUrl) URL.revokeObjectURL(gpxUrl);
  gpxUrl = null;
  if (!point.onEarth) {
    // The core's words, as the window says them.
    message.textContent = point.set ? point.refusal
      : `${point.refusal}. No point set: a script sets one with OLAT = latitude; and OLON = longitude; (decimal degrees).`;
    section.hidden = true;
  } else {
    message.textContent = 'The point set with OLAT and OLON:';
    $('handoff-text').textContent = point.text;
    $('geo-link').href = point.geo;
    gpxUrl = URL.createObjectURL(new Blob([gpx()], { type: 'application/gpx+xml' }));
    $('gpx-link').href = gpxUrl;
    $('gpx-link').download = `${base}.gpx`;
    section.hidden = false;
  }
  $('handoff-dialog').showModal();
}

// Copies the coordinate text; says whether it worked.
export async function copyPoint() {
  const text = $('handoff-text').textContent;
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Without the clipboard permission: select it for the user to copy.
    const range = document.createRange();
    range.selectNodeContents($('handoff-text'));
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    return document.execCommand('copy');
  }
}
