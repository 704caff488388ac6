// Keeps the script box in the browser's storage under the current name, and
// loses nothing on the way:
// - a short script is stored on every change; a long one when typing
//   pauses, so that a keystroke never waits for megabytes to be written,
//   and at once when the page is hidden (a phone may then kill it);
// - a bundled example is a read-only template: the first change makes the
//   user's own copy under a name of its own;
// - a script that another tab changed since this tab stored it is never
//   overwritten without asking;
// - a write that fails says so, and the note stays until a write succeeds.
import * as store from './store.js';

const QUICK = 64 * 1024; // characters stored on every change
const PAUSE = 1500; // milliseconds without a change before a long text is stored

export class Keeper {
  // box: the script textarea. ui: { ask(text, yes, no) -> 'yes'|'no'|'cancel',
  // note(text) (sticky; '' clears), say(text, isError), named(keeper) }.
  constructor(box, ui) {
    this.box = box;
    this.ui = ui;
    this.name = null;
    this.example = false; // the box shows a bundled example
    this.stamp = null; // the stored script's stamp when this tab last wrote or read it
    this.dirty = false; // the box holds changes that are not stored
    this.problem = null; // null, 'full', 'refused', 'conflict', 'deleted'
    this.why = ''; // the storage's words for a write that failed
    this.question = null; // the conflict being asked about: resolves as flush()
    this.timer = 0;
    store.onOtherTab((name, stamp, base) => {
      if (name === this.name && !this.example && stamp !== this.stamp) this.otherTabWrote(stamp, base);
    });
  }

  // The box shows `text` under `name`; `stored` says it is what the storage
  // holds (its stamp is read), else the box still has to be stored.
  open(name, text, { example = false, stored = true } = {}) {
    clearTimeout(this.timer);
    this.name = name;
    this.example = example;
    this.box.value = text;
    this.stamp = example ? null : store.stampOf(name);
    this.dirty = !example && !stored;
    this.setProblem(null);
    store.setCurrent(name, example);
    this.ui.named(this);
    if (this.dirty) this.schedule();
  }

  // The box changed (typing, a key of the key row, a paste).
  edited() {
    if (this.example) this.copyExample();
    this.dirty = true;
    this.schedule();
  }

  copyExample() {
    const example = this.name;
    this.example = false;
    this.name = store.unused(example);
    this.stamp = null;
    store.setCurrent(this.name, false);
    this.ui.named(this);
    this.ui.say(`Your own copy: ${this.name}. The example ${example} stays as it was.`);
  }

  schedule() {
    clearTimeout(this.timer);
    if (this.box.value.length <= QUICK) this.flush();
    else this.timer = setTimeout(() => this.flush(), PAUSE);
  }

  // Stores the box if it has changes. Resolves true when the storage holds
  // the box's text. With `ask`, a conflict that was put off is asked again.
  async flush({ ask = false } = {}) {
    clearTimeout(this.timer);
    if (this.example || !this.dirty) return true;
    if (this.question) return this.question;
    if (this.problem === 'conflict' && !ask) return false;
    const stored = store.stampOf(this.name);
    if (stored !== this.stamp && stored !== null) return this.resolveConflict();
    return this.write();
  }

  // Before the box takes another script: true when its text is stored or
  // the user gave it up. Text that cannot be stored (the storage full, or
  // another tab's change not settled) is asked about, as the window asks
  // before it drops unsaved changes: Save tries again (over the other
  // tab's text), Discard leaves the stored script as it is.
  async settle() {
    if (await this.flush()) return true;
    const name = this.name;
    const why = this.problem === 'conflict'
      ? `${name} was changed in another tab, and the text in this tab is not stored.`
      : `${name} is not stored: ${this.why}.`;
    const answer = await this.ui.ask(`${why} Save it before another script opens, or discard the changes?`,
      'Save', 'Discard');
    if (name !== this.name) return false;
    if (answer === 'no') {
      this.dirty = false;
      return true;
    }
    if (answer === 'yes' && this.write()) return true;
    if (answer === 'yes') this.ui.say(`Still not saved: ${this.why}. Export ${name} to keep it, or discard it.`, true);
    return false;
  }

  // Writes now, whatever is stored; false when the write failed.
  write() {
    const text = this.box.value;
    try {
      this.stamp = store.put(this.name, text, this.stamp);
    } catch (e) {
      this.setProblem(e.full ? 'full' : 'refused', e.message);
      return false;
    }
    this.dirty = this.box.value !== text;
    this.setProblem(null);
    return true;
  }

  // The box's text goes under a new name (Save as). False when it could not
  // be stored; the box then stays under its old name.
  saveAs(name) {
    const text = this.box.value;
    let stamp;
    try {
      stamp = store.put(name, text, store.stampOf(name));
    } catch (e) {
      this.setProblem(e.full ? 'full' : 'refused', e.message);
      return false;
    }
    clearTimeout(this.timer);
    this.name = name;
    this.example = false;
    this.stamp = stamp;
    this.dirty = false;
    this.setProblem(null);
    store.setCurrent(name, false);
    this.ui.named(this);
    return true;
  }

  otherTabWrote(stamp, base) {
    if (stamp === null) {
      // Deleted there: this tab still has the text, and stores it again
      // with the next change or Done.
      this.stamp = null;
      this.dirty = true;
      this.setProblem('deleted');
      return;
    }
    // Both tabs wrote at the same instant, each before it heard of the
    // other: the other wrote over this tab's last write without having seen
    // it. Taking its text would drop this tab's edit without a word.
    const overwritten = store.ownStamp(this.stamp) && base !== undefined && base !== this.stamp;
    if (overwritten) this.dirty = this.box.value !== store.get(this.name);
    if (!this.dirty) {
      const text = store.get(this.name);
      if (text === null) return;
      const caret = this.box.selectionStart;
      if (text !== this.box.value) this.box.value = text;
      this.box.setSelectionRange(Math.min(caret, text.length), Math.min(caret, text.length));
      this.stamp = store.stampOf(this.name);
      this.ui.say(`${this.name} was changed in another tab: this tab shows its text now.`);
      return;
    }
    this.resolveConflict();
  }

  // Both this tab and another changed the script: the user decides. One
  // question at a time; whoever waits for a save waits for its answer.
  resolveConflict() {
    if (!this.question) {
      this.question = this.askAboutConflict().finally(() => {
        this.question = null;
      });
    }
    return this.question;
  }

  async askAboutConflict() {
    const name = this.name;
    const other = store.get(name);
    if (other === this.box.value) {
      this.stamp = store.stampOf(name);
      this.dirty = false;
      this.setProblem(null);
      return true;
    }
    const answer = await this.ui.ask(
      `${name} was changed in another tab since this tab stored it. Keep the text of this tab and replace the other, or load the other tab's text?`,
      'Keep This Tab’s', 'Load Other Tab’s');
    if (name !== this.name) return false;
    // Either way this tab has now seen the other's version.
    if (answer === 'yes') {
      this.stamp = store.stampOf(name);
      return this.write();
    }
    if (answer === 'no') {
      this.box.value = store.get(name) ?? '';
      this.stamp = store.stampOf(name);
      this.dirty = false;
      this.setProblem(null);
      this.ui.say(`Loaded the other tab's text of ${name}.`);
      return true;
    }
    this.setProblem('conflict');
    return false;
  }

  // The sticky note for what keeps the box from being stored.
  setProblem(problem, why = '') {
    this.problem = problem;
    this.why = why;
    const target = this.name;
    const kb = `${Math.ceil(this.box.value.length / 1024)} KB`;
    const texts = {
      full: `Not saved: ${why}. ${target} (${kb}) is only in this box: delete scripts to make room, or export it.`,
      refused: `Not saved: ${why}. ${target} is only in this box: export it to keep it.`,
      conflict: `Not saved: ${this.name} was changed in another tab. Done asks what to keep.`,
      deleted: `${this.name} was deleted in another tab. This tab still has it: a change or Done stores it again.`,
    };
    if (problem) this.ui.note(texts[problem]);
    else this.ui.note(store.blocked
      ? 'This browser keeps no storage for this page: scripts are lost when it closes. Export them to keep them.'
      : '');
  }
}
