// What the engine's sound devices play, through Web Audio: tunes on
// FluidSynth in WebAssembly (js-synthesizer in an audio worklet) with the
// window's soundfont, voice clips and the spoken clock from the site's voice
// folder. Everything loads on the first sound; a browser without Web Audio
// stays silent, and then no CLOCK wait hangs.
const synthFiles = { main: "js-synthesizer.min.js", fluidsynth: "libfluidsynth-2.4.6.js", worklet: "js-synthesizer.worklet.min.js" };
// As loud as the window's synthesiser.
const gain = 1.0;
const sustainPedal = 64;
const channels = 16;

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = src;
    script.onload = resolve;
    script.onerror = () => reject(new Error(`cannot load ${src}`));
    document.head.append(script);
  });
}

// A resource name ("M_05WAV", "BS_XZWAV") as the voice folder's file; the
// page has no numbered file clips.
function clipUrl(source) {
  return source.includes("/") ? null : `voice/${source.replace(/WAV$/, "")}.ogg`;
}

export class Sound {
  constructor() {
    this.context = null;
    this.synth = null;
    // Resolves true once tunes can be heard, false when they cannot.
    this.ready = null;
    this.clips = new Map();
    this.clip = null;
    this.clipTurn = 0;
    this.clockBusy = false;
  }

  audio() {
    if (!this.context && globalThis.AudioContext) this.context = new AudioContext();
    if (this.context?.state === "suspended") this.context.resume().catch(() => {});
    return this.context;
  }

  // The engine's calls (web_sound.h).
  midi(status, data1, data2) {
    this.ready ??= this.loadSynth().catch(() => false);
    // While the synthesiser loads, its settings are kept but no note starts
    // late.
    if (!this.synth && (status & 0xf0) === 0x90) return;
    this.whenSynth((synth) => this.send(synth, status, data1, data2));
  }

  silence(releasePedal) {
    this.whenSynth((synth) => {
      if (releasePedal) for (let channel = 0; channel < channels; ++channel) synth.midiControl(channel, sustainPedal, 0);
      synth.midiAllNotesOff();
    });
  }

  playClip(source) {
    const turn = ++this.clipTurn;
    this.playOne(source, () => turn === this.clipTurn).catch(() => {});
  }

  speakClock(sources) {
    this.clockBusy = Boolean(this.audio());
    (async () => {
      for (const source of sources) await this.playOne(source, () => true, true).catch(() => {});
    })().finally(() => (this.clockBusy = false));
  }

  clockRunning() {
    return this.clockBusy;
  }

  whenSynth(action) {
    if (this.synth) action(this.synth);
    else this.ready?.then((ok) => ok && action(this.synth));
  }

  send(synth, status, data1, data2) {
    const channel = status & 0x0f;
    switch (status & 0xf0) {
      case 0x80:
        synth.midiNoteOff(channel, data1);
        break;
      case 0x90:
        if (data2 === 0) synth.midiNoteOff(channel, data1);
        else synth.midiNoteOn(channel, data1, data2);
        break;
      case 0xb0:
        synth.midiControl(channel, data1, data2);
        break;
      case 0xc0:
        synth.midiProgramChange(channel, data1);
        break;
      case 0xe0:
        synth.midiPitchBend(channel, data1 | (data2 << 7));
        break;
    }
  }

  async loadSynth() {
    const context = this.audio();
    if (!context?.audioWorklet) return false;
    await loadScript(synthFiles.main);
    await context.audioWorklet.addModule(synthFiles.fluidsynth);
    await context.audioWorklet.addModule(synthFiles.worklet);
    const synth = new globalThis.JSSynth.AudioWorkletNodeSynthesizer();
    synth.init(context.sampleRate);
    synth.createAudioNode(context, { initialGain: gain }).connect(context.destination);
    const soundfont = await fetch("soundfont.sf2");
    if (!soundfont.ok) return false;
    await synth.loadSFont(await soundfont.arrayBuffer());
    this.synth = synth;
    return true;
  }

  // Plays a clip to its end; a clip that is still wanted when it has
  // loaded replaces the one sounding unless `alongside`.
  async playOne(source, wanted, alongside = false) {
    const context = this.audio();
    const url = clipUrl(source);
    if (!context || !url) return;
    if (!this.clips.has(url))
      this.clips.set(url, fetch(url).then((r) => r.arrayBuffer()).then((bytes) => context.decodeAudioData(bytes)));
    const buffer = await this.clips.get(url);
    if (!wanted()) return;
    const node = context.createBufferSource();
    node.buffer = buffer;
    node.connect(context.destination);
    if (!alongside) {
      this.clip?.stop();
      this.clip = node;
    }
    await new Promise((resolve) => {
      node.onended = resolve;
      node.start();
    });
  }
}
