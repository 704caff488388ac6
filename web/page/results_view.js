// The results box. A short text goes into the read-only textarea, where it
// can be selected like any text. A long one (the listing of a script with
// thousands of errors runs to megabytes) would keep the browser laying out
// the textarea for seconds, with no tap answered: it goes instead into a
// view of blocks of lines that the browser lays out only where they are
// seen (content-visibility), built a few blocks at a time between frames.
const LONG = 32 * 1024; // characters; a textarea takes this in a few ms
const BLOCK_LINES = 200;
const SLICE_MS = 8; // building per turn of the event loop

export class ResultsView {
  // box: the textarea; long: the element for long texts, hidden until used.
  constructor(box, long) {
    this.box = box;
    this.long = long;
    this.value = '';
    this.building = 0; // which show() is building the long view
    this.wrapped = false;
  }

  get text() {
    return this.value;
  }

  // Shows `text` scrolled to `line` (0-based). Resolves when all of it is
  // on the page; a later show() takes over from an earlier one.
  async show(text, line = 0) {
    const build = ++this.building;
    this.value = text;
    if (text.length <= LONG) {
      this.long.hidden = true;
      this.long.replaceChildren();
      this.box.hidden = false;
      this.box.value = text;
      this.box.scrollTop = line * this.lineHeight(this.box);
      return;
    }
    this.box.value = '';
    this.box.hidden = true;
    this.long.replaceChildren();
    this.long.hidden = false;
    this.long.setAttribute('aria-busy', 'true');
    this.long.scrollTop = 0;
    const lineHeight = this.lineHeight(this.long);
    let start = 0;
    let lines = 0;
    let scrolled = false;
    while (start < text.length) {
      const until = performance.now() + SLICE_MS;
      const blocks = document.createDocumentFragment();
      while (start < text.length && performance.now() < until) {
        let end = start;
        let n = 0;
        while (n < BLOCK_LINES && end < text.length) {
          const next = text.indexOf('\n', end);
          end = next < 0 ? text.length : next + 1;
          n++;
        }
        const block = document.createElement('div');
        block.className = 'block';
        // Its height before it is laid out: exact while lines do not wrap.
        block.style.containIntrinsicSize = `auto ${n * lineHeight}px`;
        block.textContent = text.slice(start, end);
        blocks.append(block);
        start = end;
        lines += n;
      }
      this.long.append(blocks);
      if (!scrolled && lines > line + 50) {
        this.long.scrollTop = line * lineHeight;
        scrolled = true;
      }
      await new Promise((resolve) => setTimeout(resolve, 0));
      if (build !== this.building) return;
    }
    if (!scrolled) this.long.scrollTop = line * lineHeight;
    this.long.removeAttribute('aria-busy');
  }

  set wrap(on) {
    this.wrapped = on;
    this.box.wrap = on ? 'soft' : 'off';
    this.long.classList.toggle('wrapped', on);
  }

  get wrap() {
    return this.wrapped;
  }

  // Both boxes have the same font; measured once, as asking the browser
  // while the page changes makes it lay the page out first.
  lineHeight(element) {
    this.height ??= parseFloat(getComputedStyle(element).lineHeight) || 16;
    return this.height;
  }
}
