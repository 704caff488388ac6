// The hand-off on a phone: the point a script set, as a geo: link that
// drops a pin in map apps (and an OpenStreetMap link beside it, for a
// phone without such an app), a GPX waypoint file, text to copy or share,
// the way to it from where the phone is, and Go to walk there. The engine
// makes every form and computes the way; this file only shows them.
import { findHere } from './here.js';
import { openGo } from './go.js';

const $ = (id) => document.getElementById(id);
let gpxUrl = null;
let shown = null; // { view, base, Module }

// Puts `text` on the clipboard; resolves true when it worked.
export async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Without the clipboard permission: the old way, through a selection.
    const area = document.createElement('textarea');
    area.value = text;
    area.setAttribute('readonly', '');
    area.style.position = 'fixed';
    area.style.opacity = '0';
    document.body.append(area);
    area.select();
    const done = document.execCommand('copy');
    area.remove();
    return done;
  }
}

// Shares through the phone's share sheet; resolves 'shared', 'cancelled' or
// 'unsupported'.
export async function share(data) {
  if (!navigator.share) return 'unsupported';
  try {
    await navigator.share(data);
    return 'shared';
  } catch (e) {
    if (e?.name === 'AbortError') return 'cancelled';
    return 'unsupported';
  }
}

// point: { set, lat, lon, script } as the page keeps it; base: the name for
// the GPX file.
export function showHandOff(Module, point, base) {
  const view = Module.pointView(point.set, point.lat, point.lon);
  const message = $('handoff-message');
  const section = $('handoff-point');
  if (gpxUrl) URL.revokeObjectURL(gpxUrl);
  gpxUrl = null;
  $('from-here').textContent = '';
  if (!view.onEarth) {
    // The core's words, as the window says them.
    message.textContent = view.set ? view.refusal
      : `${view.refusal}. No point set: a script sets one with OLAT = latitude; and OLON = longitude; (decimal degrees).`;
    section.hidden = true;
    shown = null;
  } else {
    message.textContent = point.script
      ? `The point that ${point.script} set with OLAT and OLON:`
      : 'The point set with OLAT and OLON:';
    $('handoff-text').textContent = view.text;
    $('geo-link').href = view.geo;
    $('osm-link').href = view.osm;
    gpxUrl = URL.createObjectURL(new Blob([Module.gpxAt(true, point.lat, point.lon, base)], { type: 'application/gpx+xml' }));
    $('gpx-link').href = gpxUrl;
    $('gpx-link').download = `${base}.gpx`;
    $('share-point').hidden = !navigator.share;
    section.hidden = false;
    shown = { view, base, Module };
  }
  $('handoff-dialog').showModal();
}

$('copy-point').addEventListener('click', async () => {
  const ok = await copyText($('handoff-text').textContent);
  $('handoff-said').textContent = ok ? 'Copied the coordinates' : 'Select the coordinates and copy them';
});

$('share-point').addEventListener('click', async () => {
  if (!shown) return;
  const { view, base } = shown;
  await share({ title: `${base} – Orbelin`, text: `${view.text}\n${view.geo}` });
});

$('from-here-button').addEventListener('click', async () => {
  if (!shown) return;
  const { view, Module } = shown;
  const line = $('from-here');
  line.textContent = 'Finding your position…';
  try {
    const here = await findHere();
    const leg = Module.legTo(here.lat, here.lon, view.lat, view.lon);
    line.textContent = `From here (±${Math.ceil(here.accuracy)} m): ${leg.text}`;
  } catch (e) {
    line.textContent = e.message;
  }
});

$('go').addEventListener('click', () => {
  if (!shown) return;
  const { view, base, Module } = shown;
  $('handoff-dialog').close();
  openGo(Module, { name: base, lat: view.lat, lon: view.lon, text: view.text, geo: view.geo, osm: view.osm });
});

$('handoff-dialog').addEventListener('close', () => {
  $('handoff-said').textContent = '';
});
