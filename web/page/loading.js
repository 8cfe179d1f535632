// Watches the page's files as they load, and says in the page what failed
// and what to do: a file that did not arrive, one that arrived broken (cut
// short), or a program that could not start. The first script of the page,
// so that it sees every later one; the page (page.js) tells it when the
// program has started, and asks it whether all went well before starting.
(function () {
  'use strict';

  // What each script leaves behind once it has run.
  const kScriptsLeave = {
    'xterm.js': 'Terminal',
    'xterm-fit.js': 'FitAddon',
    'phone.js': 'PhoneView',
    'program_contract.js': 'ProgramContract',
    'program_host.js': 'ProgramHost',
    'design_tracker.js': 'DesignTracker',
    'nec_panel.js': 'NecPanel',
    'nec_check.js': 'NecCheck',
    'tanshuku.js': 'createTanshuku',
    'editor.js': 'createEditor',
    'page.js': 'tanshukuPage',
  };

  // Where the page's files came from, and what to do about it.
  function source() {
    if (location.protocol === 'file:') {
      return {
        from: 'このコンピューターのファイルから読み込みました。',
        advice: 'サイトのファイルがすべて同じフォルダーにそろっているか確かめてから、読み込み直してください。',
      };
    }
    if (navigator.serviceWorker && navigator.serviceWorker.controller) {
      return {
        from: 'このブラウザーに保存してある写しから読み込みました。',
        advice: '読み込み直してください。直らないときは、インターネットにつないでから読み込み直すと、新しい写しを受け取ります。',
      };
    }
    return {
      from: 'ネットワークから読み込みました。',
      advice: 'ネットワークの具合を確かめてから、読み込み直してください。',
    };
  }

  const fileName = (url) => decodeURIComponent(String(url).split(/[?#]/)[0].split('/').pop());

  let failed = false;
  let started = false;

  function show(what, advice) {
    if (failed) return;
    failed = true;
    const box = document.getElementById('load-failed');
    document.getElementById('load-failed-what').textContent = what;
    document.getElementById('load-failed-advice').textContent = advice;
    document.getElementById('loading').hidden = true;
    document.getElementById('load-stalled').remove();
    box.hidden = false;
  }

  function fileFailed(name, broken) {
    const where = source();
    const what = broken
      ? name + ' が壊れています（途中で切れているなど）。'
      : name + ' を読み込めませんでした。';
    show(what + where.from, where.advice);
  }

  // A script that did not arrive (its element's error, seen on the way
  // down), or that arrived and would not run (the window's error).
  window.addEventListener(
    'error',
    (event) => {
      if (started) return;
      const element = event.target;
      if (element instanceof HTMLScriptElement) {
        fileFailed(fileName(element.src), false);
      } else if (event instanceof ErrorEvent && event.filename) {
        fileFailed(fileName(event.filename), true);
      }
    },
    true,
  );

  // Every script has been run: one that left nothing behind is broken.
  window.addEventListener('load', () => {
    for (const [name, left] of Object.entries(kScriptsLeave)) {
      if (!(left in globalThis)) return fileFailed(name, true);
    }
  });

  document.addEventListener('DOMContentLoaded', () => {
    document.getElementById('try-again').addEventListener('click', () => location.reload());
  });
  // The message shown by its time alone is for a page without this script.
  document.getElementById('load-stalled').hidden = true;

  globalThis.PageLoading = Object.freeze({
    // Whether the page may start the program: nothing failed so far.
    mayStart: () => !failed,
    started: () => {
      started = true;
    },
    // A file that ran but gave what it should not (a module that will not
    // compile).
    fileBroken: (name) => fileFailed(name, true),
    // The program could not start: memory for it, or its module.
    cannotStart: (reason) => {
      if (reason !== 'memory') return fileFailed('tanshuku.js', true);
      show(
        'メモリーが足りないため、プログラムを始められません。',
        'ほかのタブやアプリを閉じてから、読み込み直してください。',
      );
    },
  });
})();
