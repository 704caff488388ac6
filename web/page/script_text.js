// The script box's text. A browser lays out every line of a textarea when
// its text is set and again after each change: for a script of megabytes
// (hundreds of thousands of lines) that holds the page for seconds, with no
// tap answered. So a long text is kept here, and the box holds one part of
// it at a time: a few thousand lines, which it lays out in a moment and in
// which editing, selection and undo are the browser's own. Earlier and
// Later move to the neighbouring part (with a few lines of both shown), and
// the page moves to the part that holds an offset when it puts the caret
// there (an error's place). Offsets, selection and value are always those
// of the whole text, so the rest of the page need not know of parts.
const WHOLE_LINES = 3000; // a text of at most this many lines...
const WHOLE_CHARS = 256 * 1024; // ...and characters is shown whole
const PART_LINES = 1000;
const PART_CHARS = 64 * 1024; // a part of very long lines ends earlier
const OVERLAP = 20; // lines shown again on moving to the next part
const OVERLAP_CHARS = 4096;

const isLow = (code) => code >= 0xdc00 && code <= 0xdfff;

// The offset after `lines` line ends from `from`, but no further than
// `limit` characters (and not inside a surrogate pair).
function endOfLines(text, from, lines, limit) {
  let end = from;
  for (let n = 0; n < lines && end < text.length; n++) {
    const next = text.indexOf('\n', end);
    end = next < 0 ? text.length : next + 1;
  }
  if (end - from > limit) {
    end = from + limit;
    if (isLow(text.charCodeAt(end))) end--;
  }
  return end;
}

function countLines(text, from = 0, to = text.length) {
  let n = 0;
  for (let i = text.indexOf('\n', from); i >= 0 && i < to; i = text.indexOf('\n', i + 1)) n++;
  return n;
}

export class ScriptText {
  // box: the textarea; bar: { part, said, earlier, later }, the line that
  // says which part shows, hidden while the text is whole.
  constructor(box, bar) {
    this.box = box;
    this.bar = bar;
    this.before = ''; // the text above the box's part
    this.after = ''; // and below it
    // The whole text as last asked for, and the box's part it was made
    // with: the same string while nothing changed, so that comparing it
    // with itself does not compare megabytes.
    this.whole = { part: null, text: '' };
    bar.earlier.addEventListener('click', () => this.move(-1));
    bar.later.addEventListener('click', () => this.move(1));
    // Ctrl+Home and Ctrl+End go to the start and end of the whole text.
    box.addEventListener('keydown', (e) => {
      if (!this.parted || !(e.ctrlKey || e.metaKey) || e.altKey || e.shiftKey) return;
      if (e.key !== 'Home' && e.key !== 'End') return;
      const to = e.key === 'End' ? this.value.length : 0;
      if (to >= this.before.length && to <= this.before.length + box.value.length) return;
      e.preventDefault();
      this.setSelectionRange(to, to);
      box.scrollTop = to === 0 ? 0 : box.scrollHeight;
    });
  }

  get parted() {
    return !this.bar.part.hidden;
  }

  get value() {
    const part = this.box.value;
    if (!this.parted) return part;
    if (this.whole.part !== part) this.whole = { part, text: this.before + part + this.after };
    return this.whole.text;
  }

  set value(text) {
    this.show(text, 0);
  }

  // Where the box's part starts in the whole text.
  get offset() {
    return this.parted ? this.before.length : 0;
  }

  get selectionStart() {
    return this.offset + this.box.selectionStart;
  }

  get selectionEnd() {
    return this.offset + this.box.selectionEnd;
  }

  setSelectionRange(start, end = start) {
    this.reach(start, end);
    this.box.setSelectionRange(start - this.offset, end - this.offset);
  }

  setRangeText(text, start, end, mode) {
    this.reach(start, end);
    this.box.setRangeText(text, start - this.offset, end - this.offset, mode);
  }

  // Text put into the box as a whole by another way (a paste of megabytes,
  // a test): taken into parts before the browser lays it out.
  checkSize() {
    const { box } = this;
    if (box.value.length <= WHOLE_CHARS && (box.value.length < WHOLE_LINES || countLines(box.value) <= WHOLE_LINES)) return;
    const caret = this.selectionStart;
    this.show(this.value, caret);
    this.box.setSelectionRange(caret - this.offset, caret - this.offset);
  }

  // Shows `text` in the part that holds offset `at`.
  show(text, at) {
    if (text.length <= WHOLE_CHARS && (text.length < WHOLE_LINES || countLines(text) <= WHOLE_LINES)) {
      this.before = '';
      this.after = '';
      this.bar.part.hidden = true;
      this.box.value = text;
      return;
    }
    // As the box would have them: line ends are \n alone.
    if (text.includes('\r')) text = text.replace(/\r\n?/g, '\n');
    this.bar.part.hidden = false;
    this.place(text, this.partStart(text, at));
  }

  // The start of the part that has `at` a third of the way down: a line's
  // start, unless the lines there are very long.
  partStart(text, at) {
    let start = at;
    for (let n = 0; n < PART_LINES / 3 && start > 0; n++) start = text.lastIndexOf('\n', start - 2) + 1;
    if (at - start > PART_CHARS / 3) {
      start = at - PART_CHARS / 3;
      const next = text.indexOf('\n', start);
      if (next >= 0 && next < at) start = next + 1;
    }
    return start;
  }

  place(text, start) {
    if (isLow(text.charCodeAt(start))) start--;
    const end = endOfLines(text, start, PART_LINES, PART_CHARS);
    this.before = text.slice(0, start);
    this.after = text.slice(end);
    this.box.value = text.slice(start, end);
    this.whole = { part: this.box.value, text };
    const first = countLines(this.before) + 1;
    // A part that ends with a line's end ends on that line, unless the
    // text ends there: the line after the last line end is then the last.
    const last = first + countLines(this.box.value) - (this.after && this.box.value.endsWith('\n') ? 1 : 0);
    const all = first + countLines(this.box.value) + countLines(this.after);
    const n = (x) => String(x).replace(/\B(?=(\d{3})+$)/g, ',');
    this.bar.said.textContent = `Lines ${n(first)}–${n(last)} of ${n(all)}`;
    this.bar.earlier.disabled = start === 0;
    this.bar.later.disabled = end === text.length;
  }

  // Makes sure the box's part holds start..end.
  reach(start, end) {
    if (!this.parted) return;
    const from = this.before.length;
    if (start >= from && end <= from + this.box.value.length) return;
    const text = this.value;
    this.place(text, this.partStart(text, start));
  }

  // To the part before (-1) or after (+1), keeping a few lines of this one
  // in view.
  move(direction) {
    if (!this.parted) return;
    const text = this.value;
    let start;
    if (direction > 0) {
      const end = this.before.length + this.box.value.length;
      start = end;
      for (let n = 0; n < OVERLAP && start > 0; n++) start = text.lastIndexOf('\n', start - 2) + 1;
      if (start <= this.before.length || end - start > OVERLAP_CHARS) start = end;
    } else {
      start = this.before.length;
      for (let n = 0; n < PART_LINES - OVERLAP && start > 0; n++) start = text.lastIndexOf('\n', start - 2) + 1;
      start = Math.max(start, this.before.length - PART_CHARS + OVERLAP_CHARS);
    }
    this.place(text, Math.max(0, start));
    // The caret and the view where this part meets the one left.
    const caret = direction > 0 ? 0 : this.box.value.length;
    this.box.setSelectionRange(caret, caret);
    this.box.scrollTop = direction > 0 ? 0 : this.box.scrollHeight;
  }
}
