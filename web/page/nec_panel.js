// The NEC2 check's panel: after menu 1's result the page offers to check
// the design just typed; the panel holds it, editable with the check's
// other values, runs the check (NecCheck, handed in, which runs
// tanshuku-nec's core and nec2c in a worker), and shows its progress, its
// refusals and failures in one line, and its results: tanshuku-nec's
// screen, the page's notes, the SWR curve and the files to download. A
// design is also a link, index.html#nec:frequency=7.05&length=5&..., which
// opens the panel and runs the check. Classic script, as page.js.
(function (exports) {
  'use strict';

  const kWords = {
    ja: {
      offer: 'NEC2 で確かめる',
      title: 'NEC2（nec2c）で確かめる',
      design: 'メニュー1の設計',
      frequency: '周波数（MHz）',
      length: 'エレメントの長さ（m）',
      diameter: 'エレメントの直径（mm）',
      base: 'ベースローディング',
      tip: 'センターローディング',
      tipLength: '先端からコイルまで（m）',
      conditions: '条件',
      q: 'コイルの Q',
      conductor: '導体',
      copper: '銅',
      aluminium: 'アルミニウム',
      perfect: '損失なし',
      groundLoss: '接地損失（Ω、ホイップのみ）',
      dipole: 'ダイポール（長さは片側）',
      coil: 'コイルの寸法（メニュー2、mm）',
      coilRadius: 'コイルの半径（線の中心まで）',
      pitch: 'ピッチ',
      wire: '線の直径',
      asItsSizeAllows: '大きさに応じて',
      helix: '巻いたとおり（ヘリックス）',
      lumped: '集中定数',
      measuredTitle: '作ったアンテナを給電点で測った値（あれば）',
      measured: '測った周波数（MHz）',
      measuredResonance: 'リアクタンスが負から正になる点',
      measuredSwrMinimum: 'SWR が最小の点',
      measuredResistance: 'そこでの抵抗（Ω）',
      turnsWound: '巻いた巻数',
      trim: '変えるもの',
      auto: 'コイルの寸法があれば巻数',
      turns: '巻数',
      top: 'コイルより先の線',
      s1p: 'アナライザーのファイル（.s1p）',
      run: '確かめる',
      cancel: '中止',
      close: '閉じる',
      link: 'この設計のリンク:',
      copy: 'コピー',
      copied: 'コピーしました',
      starting: '始めています…',
      progress: (text, runs) => `${text}（nec2c の実行 ${runs} 回）`,
      // The screen's last line says how many runs the check took in all.
      done: () => '終わりました。',
      cancelled: '中止しました。',
      timedOut: (seconds) =>
        `nec2c の 1 回の実行が ${seconds} 秒を超えたので、確かめるのをやめました。`,
      curve: (ohm) => `給電点の SWR（${ohm} Ω に対して）。縦線は設計周波数。`,
      curveMeasured: '点線は測定。',
      swr: 'SWR',
      mhz: 'MHz',
      files: 'ファイル:',
      deck: 'NEC2 のデッキ',
      model: 'モデル',
      sweep: 'スイープ',
      json: 'JSON',
    },
    en: {
      offer: 'Check with NEC2',
      title: 'Check with NEC2 (nec2c)',
      design: "Menu 1's design",
      frequency: 'Frequency (MHz)',
      length: 'Element length (m)',
      diameter: 'Element diameter (mm)',
      base: 'Base loading',
      tip: 'Coil along the element',
      tipLength: 'From the tip to the coil (m)',
      conditions: 'Conditions',
      q: "The coil's Q",
      conductor: 'Conductor',
      copper: 'Copper',
      aluminium: 'Aluminium',
      perfect: 'Perfect',
      groundLoss: 'Ground loss (Ω, whips only)',
      dipole: 'Dipole (the length is one half)',
      coil: "The coil's measures (menu 2, mm)",
      coilRadius: "Coil radius (to the wire's centre)",
      pitch: 'Pitch',
      wire: 'Wire diameter',
      asItsSizeAllows: 'As its size allows',
      helix: 'As wound (helix)',
      lumped: 'Lumped',
      measuredTitle: 'The antenna as built, measured at its feed (if it is)',
      measured: 'Measured frequency (MHz)',
      measuredResonance: 'Where the reactance rises through zero',
      measuredSwrMinimum: 'Where the SWR is lowest',
      measuredResistance: 'Resistance there (Ω)',
      turnsWound: 'Turns wound',
      trim: 'To change',
      auto: "The turns where the coil's measures are given",
      turns: 'The turns',
      top: 'The wire above the coil',
      s1p: "Analyser's file (.s1p)",
      run: 'Check',
      cancel: 'Cancel',
      close: 'Close',
      link: 'Link to this design:',
      copy: 'Copy',
      copied: 'Copied',
      starting: 'Starting…',
      progress: (text, runs) => `${text} (nec2c runs so far: ${runs})`,
      done: () => 'Done.',
      cancelled: 'Cancelled.',
      timedOut: (seconds) => `One nec2c run took longer than ${seconds} s: the check was stopped.`,
      curve: (ohm) => `SWR at the feed (against ${ohm} Ω). The upright line is the design frequency.`,
      curveMeasured: 'The dotted curve is the measurement.',
      swr: 'SWR',
      mhz: 'MHz',
      files: 'Files:',
      deck: 'NEC2 deck',
      model: 'Model',
      sweep: 'Sweep',
      json: 'JSON',
    },
  };

  // Japanese, unless the browser's first language is English.
  function languageOf(languages) {
    return /^en\b/i.test((languages && languages[0]) || '') ? 'en' : 'ja';
  }

  // The design's values under tanshuku-nec's names, as texts, in the
  // link's order, with what the check takes where one is left out.
  const kNumbers = ['frequency', 'length', 'diameter', 'tip', 'q', 'ground-loss',
    'coil-radius', 'pitch', 'wire', 'measured', 'measured-resistance', 'turns'];
  // The measured frequency's two meanings, by their names in the link.
  const kMeasuredKinds = ['measured', 'measured-swr-minimum'];
  const kDefaults = { q: '200', conductor: 'copper', 'ground-loss': '0' };
  const kLinkStart = '#nec:';

  function emptyValues() {
    const values = {
      loading: 'base', dipole: false, model: '', conductor: kDefaults.conductor, measuredKind: 'measured', trim: 'auto',
    };
    for (const name of kNumbers) values[name] = kDefaults[name] || '';
    return values;
  }

  // The link's text after "#nec:": a value where it differs from the
  // default, the switches bare.
  function linkOf(values) {
    const parts = [];
    const number = (name) => {
      const text = values[name].trim();
      if (text !== '' && text !== kDefaults[name]) parts.push(`${name}=${text}`);
    };
    ['frequency', 'length', 'diameter'].forEach(number);
    if (values.loading === 'tip') parts.push(`tip=${values.tip.trim()}`);
    else parts.push('base');
    number('q');
    if (values.conductor !== kDefaults.conductor) parts.push(`conductor=${values.conductor}`);
    if (values.dipole) parts.push('dipole');
    else number('ground-loss');
    ['coil-radius', 'pitch', 'wire'].forEach(number);
    if (values.model) parts.push(values.model);
    const measured = values.measured.trim();
    if (measured !== '') parts.push(`${values.measuredKind}=${measured}`);
    ['measured-resistance', 'turns'].forEach(number);
    if (values.trim !== 'auto') parts.push(`trim=${values.trim}`);
    return parts.join('&');
  }

  // The values a link gives, for the panel to show; what it cannot show
  // (an unknown name) is the check's to refuse.
  function valuesOf(link) {
    const values = emptyValues();
    for (const part of link.split('&')) {
      const equals = part.indexOf('=');
      const name = equals < 0 ? part : part.slice(0, equals);
      const text = equals < 0 ? '' : part.slice(equals + 1);
      if (name === 'tip') values.loading = 'tip';
      if (kNumbers.includes(name)) values[name] = text;
      if (kMeasuredKinds.includes(name)) {
        values.measured = text;
        values.measuredKind = name;
      } else if (name === 'trim') values.trim = text;
      else if (name === 'base') values.loading = 'base';
      else if (name === 'conductor') values.conductor = text;
      else if (name === 'dipole') values.dipole = true;
      else if (name === 'helix' || name === 'lumped') values.model = name;
    }
    return values;
  }

  // The design in an address's hash, or null where it holds none; its
  // characters as typed (the browser escapes some).
  function linkInHash(hash) {
    if (!hash.startsWith(kLinkStart)) return null;
    const link = hash.slice(kLinkStart.length);
    try {
      return decodeURI(link);
    } catch {
      return link;
    }
  }

  // The panel's controls by fieldset: a value's text field, a choice
  // (radio) of a value, a switch (checkbox), the conductor's list; each
  // with its words' key.
  const kControls = {
    design: [
      ['text', 'frequency', 'frequency'],
      ['text', 'length', 'length'],
      ['text', 'diameter', 'diameter'],
      ['choice', 'loading', 'base', 'base'],
      ['choice', 'loading', 'tip', 'tip'],
      ['text', 'tip', 'tipLength'],
    ],
    conditions: [
      ['text', 'q', 'q'],
      ['list', 'conductor', 'conductor', ['copper', 'aluminium', 'perfect']],
      ['text', 'ground-loss', 'groundLoss'],
      ['switch', 'dipole', 'dipole'],
    ],
    coil: [
      ['text', 'coil-radius', 'coilRadius'],
      ['text', 'pitch', 'pitch'],
      ['text', 'wire', 'wire'],
      ['choice', 'model', '', 'asItsSizeAllows'],
      ['choice', 'model', 'helix', 'helix'],
      ['choice', 'model', 'lumped', 'lumped'],
    ],
    measured: [
      ['text', 'measured', 'measured'],
      ['choice', 'measuredKind', 'measured', 'measuredResonance'],
      ['choice', 'measuredKind', 'measured-swr-minimum', 'measuredSwrMinimum'],
      ['text', 'measured-resistance', 'measuredResistance'],
      ['file', 's1p', 's1p', '.s1p,.S1P'],
      ['text', 'turns', 'turnsWound'],
      ['list', 'trim', 'trim', ['auto', 'turns', 'top']],
    ],
  };

  function makeControl(document, words, [kind, name, ...rest]) {
    const make = (tag, properties) => Object.assign(document.createElement(tag), properties);
    const label = make('label');
    const text = make('span', { textContent: words[kind === 'choice' ? rest[1] : rest[0]] });
    if (kind === 'text') {
      label.append(text, make('input', { name, inputMode: 'decimal', autocomplete: 'off' }));
    } else if (kind === 'file') {
      label.append(text, make('input', { name, type: 'file', accept: rest[1] }));
    } else if (kind === 'list') {
      const list = make('select', { name });
      for (const value of rest[1]) list.append(make('option', { value, textContent: words[value] }));
      label.append(text, list);
    } else {
      label.className = 'choice';
      const type = kind === 'choice' ? 'radio' : 'checkbox';
      label.append(make('input', { type, name, value: kind === 'choice' ? rest[0] : 'on' }), text);
    }
    return label;
  }

  function attach({ check, window: view }) {
    const document = view.document;
    const language = languageOf(view.navigator.languages);
    const words = kWords[language];
    const byId = (id) => document.getElementById(id);
    const panel = byId('nec-panel');
    const form = byId('nec-design');
    const offerRow = byId('nec-offer');
    const runButton = byId('nec-run');
    const cancelButton = byId('nec-cancel');
    const progress = byId('nec-progress');
    const message = byId('nec-message');
    const result = byId('nec-result');
    const link = byId('nec-link');
    const copyButton = byId('nec-copy');

    for (const fieldset of form.querySelectorAll('[data-controls]')) {
      fieldset.append(...kControls[fieldset.dataset.controls].map((control) => makeControl(document, words, control)));
    }
    for (const element of document.querySelectorAll('#nec-offer [data-words], #nec-panel [data-words]')) {
      element.textContent = words[element.dataset.words];
    }
    panel.lang = language;
    offerRow.lang = language;

    let offered = null;   // the design after menu 1's result
    let running = null;   // the check under way
    let fileUrls = [];    // the downloads' Blob URLs, let go with their results

    // By name, not as form.elements[name]: the collection's own "length"
    // would answer for the element's length.
    const control = (name) => form.elements.namedItem(name);
    const kTexts = [...kNumbers, 'conductor', 'loading', 'model', 'measuredKind', 'trim'];

    function fields() {
      const values = {};
      for (const name of kTexts) values[name] = control(name).value;
      values.dipole = control('dipole').checked;
      return values;
    }

    function show(values) {
      for (const name of kTexts) control(name).value = values[name];
      control('dipole').checked = values.dipole;
      followFields();
    }

    // The link shown follows the fields; a whip's ground loss and a tip
    // length are asked only where they count.
    function followFields() {
      const values = fields();
      control('ground-loss').disabled = values.dipole;
      control('tip').disabled = values.loading !== 'tip';
      const address = new URL(kLinkStart + encodeURI(linkOf(values)), view.location.href).href;
      link.href = address;
      link.textContent = address;
      copyButton.textContent = words.copy;
    }

    function open() {
      panel.hidden = false;
    }

    function say(text) {
      message.textContent = text;
      message.hidden = !text;
    }

    function settled() {
      running = null;
      runButton.disabled = false;
      cancelButton.disabled = true;
    }

    function stop() {
      if (running && running.handle) running.handle.cancel();
      settled();
    }

    // One check at a time: a new one ends the one under way. Its callbacks
    // count only while it is the one under way (a refusal may come before
    // start returns).
    function run(designLink, frequencyMhz, measured) {
      stop();
      say('');
      clearResult();
      progress.textContent = words.starting;
      runButton.disabled = true;
      cancelButton.disabled = false;
      const thisRun = { handle: null };
      running = thisRun;
      const mine = () => running === thisRun;
      const ended = (text) => {
        if (!mine()) return;
        settled();
        progress.textContent = '';
        say(text);
      };
      thisRun.handle = check.start({
        link: designLink,
        language,
        measured,
        onProgress(step) {
          if (!mine()) return;
          progress.textContent = words.progress(step.text, step.runs);
        },
        onRefused: ended,
        onFailed: ended,
        onTimedOut: (seconds) => ended(words.timedOut(seconds)),
        onDone(answer) {
          if (!mine()) return;
          settled();
          progress.textContent = words.done();
          showResult(answer, frequencyMhz);
        },
      });
    }

    function clearResult() {
      result.hidden = true;
      for (const url of fileUrls) URL.revokeObjectURL(url);
      fileUrls = [];
    }

    function showResult(answer, frequencyMhz) {
      byId('nec-screen').textContent = answer.screen;
      const notes = byId('nec-notes');
      notes.replaceChildren(...answer.notes.map((note) => {
        const item = document.createElement('li');
        item.textContent = note;
        return item;
      }));
      notes.hidden = answer.notes.length === 0;
      const figure = byId('nec-curve-figure');
      const sweep = answer.sweep;
      figure.hidden = sweep.length < 2 || sweep[0].mhz >= sweep[sweep.length - 1].mhz;
      if (!figure.hidden) {
        const measured = answer.measured || [];
        SwrCurve.draw(byId('nec-curve'), answer.sweep, frequencyMhz, words, measured);
        byId('nec-curve-caption').textContent =
          words.curve(answer.matchedOhm) + (measured.length > 1 ? ' ' + words.curveMeasured : '');
      }
      offerFiles(answer, frequencyMhz);
      result.hidden = false;
    }

    function offerFiles(answer, frequencyMhz) {
      const texts = { ...answer.files, json: answer.json };
      const types = { nec: 'text/plain', maa: 'text/plain', csv: 'text/csv', json: 'application/json' };
      const name = `tanshuku-nec-${Number.isFinite(frequencyMhz) ? frequencyMhz : 'design'}MHz`;
      for (const anchor of document.querySelectorAll('#nec-downloads a')) {
        const kind = anchor.dataset.file;
        anchor.hidden = texts[kind] == null;
        if (anchor.hidden) continue;
        const url = URL.createObjectURL(new Blob([texts[kind]], { type: types[kind] + ';charset=utf-8' }));
        fileUrls.push(url);
        anchor.href = url;
        anchor.download = `${name}.${kind}`;
      }
    }

    // The design in the address opens the panel and is checked.
    function followAddress() {
      const designLink = linkInHash(view.location.hash);
      if (designLink === null) return;
      const values = valuesOf(designLink);
      show(values);
      open();
      run(designLink, Number(values.frequency));
    }

    form.addEventListener('input', followFields);
    form.addEventListener('change', followFields);
    // An analyser's file chosen is read and handed to the check with the
    // design; its name stands for it in tanshuku-nec's lines.
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      const values = fields();
      const file = control('s1p').files[0];
      if (!file) return run(linkOf(values), Number(values.frequency));
      file.text().then(
        (text) => run(linkOf(values), Number(values.frequency), { name: file.name, text }),
        (error) => say(`tanshuku-nec: ${file.name}: ${error.message}`),
      );
    });
    cancelButton.addEventListener('click', () => {
      stop();
      progress.textContent = words.cancelled;
    });
    byId('nec-close').addEventListener('click', () => {
      stop();
      panel.hidden = true;
    });
    byId('nec-offer-button').addEventListener('click', () => {
      show({ ...fields(), ...offered, loading: offered.tip === null ? 'base' : 'tip', tip: offered.tip || '' });
      open();
      panel.scrollIntoView({ block: 'start' });
    });
    copyButton.hidden = !(view.navigator.clipboard && view.isSecureContext);
    copyButton.addEventListener('click', () =>
      view.navigator.clipboard.writeText(link.href).then(() => {
        copyButton.textContent = words.copied;
      }, () => {}));
    view.addEventListener('hashchange', followAddress);

    show(emptyValues());
    followAddress();

    return {
      // The design just typed (menu 1's result on the screen), or null.
      offer(design) {
        offered = design;
        offerRow.hidden = design === null;
      },
    };
  }

  // The SWR curve of the sweep, drawn as SVG of the page's own: one curve
  // needs no plotting library, and so nothing more to load, to keep offline
  // or to admit in the page's Content-Security-Policy (no inline styles:
  // page.css styles it by class).
  const SwrCurve = (() => {
    const kWidth = 600;
    const kHeight = 320;
    const kPlot = { left: 52, right: 586, top: 14, bottom: 276 };
    const kSvg = 'http://www.w3.org/2000/svg';

    // About count steps of 1, 2 or 5 times a power of ten across the range.
    function ticks(low, high, count) {
      const rough = (high - low) / count;
      const power = 10 ** Math.floor(Math.log10(rough));
      const step = [1, 2, 5, 10].map((m) => m * power).find((s) => s >= rough);
      const values = [];
      for (let at = Math.ceil(low / step) * step; at <= high + step * 1e-9; at += step) {
        values.push(Number(at.toFixed(12)));
      }
      return { values, decimals: Math.max(0, -Math.floor(Math.log10(step))) };
    }

    function element(parent, name, attributes, text) {
      const made = parent.ownerDocument.createElementNS(kSvg, name);
      for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, String(value));
      if (text !== undefined) made.textContent = text;
      parent.append(made);
      return made;
    }

    // The model's span, widened to hold as much either side of the
    // measured curve's lowest point, where there is a measured curve.
    function spanOf(sweep, measured) {
      let low = sweep[0].mhz;
      let high = sweep[sweep.length - 1].mhz;
      if (measured.length > 1) {
        const lowest = measured.reduce((best, point) => (point.swr < best.swr ? point : best));
        const half = (high - low) / 2;
        low = Math.min(low, lowest.mhz - half);
        high = Math.max(high, lowest.mhz + half);
      }
      return { low, high };
    }

    function draw(svg, sweep, designMhz, words, measured = []) {
      svg.replaceChildren();
      svg.setAttribute('viewBox', `0 0 ${kWidth} ${kHeight}`);
      const { low, high } = spanOf(sweep, measured);
      const shown = measured.filter((point) => point.mhz >= low && point.mhz <= high);
      // SWR from 1 up to 3 to 5, as far as the curves go, and above their
      // least where that lies higher.
      const swrs = [...sweep, ...shown].map((point) => point.swr).filter(Number.isFinite);
      const top = Math.max(3, Math.min(5, Math.ceil(Math.max(...swrs))), Math.ceil(Math.min(...swrs)) + 1);
      const x = (mhz) => kPlot.left + ((mhz - low) / (high - low)) * (kPlot.right - kPlot.left);
      const y = (swr) => kPlot.bottom - ((swr - 1) / (top - 1)) * (kPlot.bottom - kPlot.top);
      svg.setAttribute('aria-label', `${words.swr} ${low}–${high} ${words.mhz}`);
      const clip = element(element(svg, 'defs', {}), 'clipPath', { id: 'nec-curve-plot' });
      const plotArea = {
        x: kPlot.left,
        y: kPlot.top,
        width: kPlot.right - kPlot.left,
        height: kPlot.bottom - kPlot.top,
      };
      element(clip, 'rect', plotArea);
      const grid = element(svg, 'g', { class: 'grid' });
      const mhzTicks = ticks(low, high, 5);
      for (const mhz of mhzTicks.values) {
        element(grid, 'line', { x1: x(mhz), x2: x(mhz), y1: kPlot.top, y2: kPlot.bottom });
        element(svg, 'text', { x: x(mhz), y: kPlot.bottom + 18, class: 'tick x' }, mhz.toFixed(mhzTicks.decimals));
      }
      for (const swr of ticks(1, top, 4).values) {
        element(grid, 'line', { x1: kPlot.left, x2: kPlot.right, y1: y(swr), y2: y(swr) });
        element(svg, 'text', { x: kPlot.left - 8, y: y(swr) + 5, class: 'tick y' }, String(swr));
      }
      element(svg, 'text', { x: (kPlot.left + kPlot.right) / 2, y: kHeight - 6, class: 'axis x' }, words.mhz);
      element(svg, 'text', { x: 14, y: (kPlot.top + kPlot.bottom) / 2, class: 'axis y',
        transform: `rotate(-90 14 ${(kPlot.top + kPlot.bottom) / 2})` }, words.swr);
      element(svg, 'line', { x1: kPlot.left, x2: kPlot.right, y1: y(2), y2: y(2), class: 'swr-two' });
      if (designMhz >= low && designMhz <= high) {
        const at = x(designMhz);
        element(svg, 'line', { x1: at, x2: at, y1: kPlot.top, y2: kPlot.bottom, class: 'design' });
      }
      const curve = (points, name) => {
        const drawn = points
          .filter((point) => Number.isFinite(point.swr))
          .map((point) => `${x(point.mhz).toFixed(1)},${y(point.swr).toFixed(1)}`);
        element(svg, 'polyline', { points: drawn.join(' '), class: name, 'clip-path': 'url(#nec-curve-plot)' });
      };
      curve(sweep, 'curve');
      if (measured.length > 1) curve(measured, 'measured');
      element(svg, 'rect', { ...plotArea, class: 'frame' });
    }

    return { draw, ticks };
  })();

  exports.attach = attach;
  exports.linkOf = linkOf;
  exports.valuesOf = valuesOf;
  exports.languageOf = languageOf;
})(typeof module !== 'undefined' ? module.exports : (globalThis.NecPanel = {}));
