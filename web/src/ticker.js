// Simulated time at the window's rate: one tick per millisecond of real
// time, each with the same deltaTime, however often the display paints.
export const tickSeconds = 0.001;
// A frame after a long gap (a hidden tab) catches up no further than this.
const longestGapMs = 250;

export class Ticker {
  constructor() {
    this.last = null;
    this.carryMs = 0;
    this.enabled = true;
  }

  // Time while disabled (a part being dragged) does not count.
  setEnabled(enabled) {
    this.enabled = enabled;
  }

  // How many ticks are due at `now` (milliseconds).
  due(now) {
    if (this.last === null || !this.enabled) this.last = now;
    this.carryMs += Math.min(now - this.last, longestGapMs);
    this.last = now;
    const ticks = Math.floor(this.carryMs / (tickSeconds * 1000));
    this.carryMs -= ticks * tickSeconds * 1000;
    return ticks;
  }
}
