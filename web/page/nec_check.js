// The page's NEC2 check of a design: tanshuku-nec's check run in a worker
// (nec_check_worker.js, loaded on the first start), so that the page never
// waits for it.
//
//   NecCheck.start({ link, language, runTimeLimitMs, measured, onProgress,
//                    onRefused, onFailed, onTimedOut, onDone }) -> { cancel() }
//
// link: the design as in the page's address after "#nec:"; language: 'ja'
// or 'en'; runTimeLimitMs: each nec2c run's time limit in place of
// tanshuku-nec's own (left out, as a rule); measured: an analyser's file of
// the antenna as built, { name, text }, where one was chosen. One callback ends the check:
// onRefused(line) (bad values, nothing ran), onFailed(line) (also where the
// whole check passes tanshuku-nec's limit for it, in its words),
// onTimedOut(seconds) (one nec2c run passed its time limit) or
// onDone({ screen, json, files: { nec, maa, csv },
// sweep: [{ mhz, swr }], measured: [{ mhz, swr }] (the file's, on the same
// resistance; empty without one), matchedOhm, notes }); onProgress({ stage,
// segments, runs, text }) comes before it. cancel() ends the worker at
// once; no callback comes after it.
(function () {
  'use strict';

  const kWorkerScript = 'nec_check_worker.js';

  // The worker's source as a Blob's address: Chromium starts no worker from
  // a script of a page opened from its file.
  let workerAddress = null;
  function workerSource() {
    if (!workerAddress) {
      workerAddress = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = kWorkerScript;
        script.onload = () =>
          resolve(
            URL.createObjectURL(
              new Blob([globalThis.NecCheckWorkerSource], { type: 'text/javascript' }),
            ),
          );
        script.onerror = () => {
          workerAddress = null;
          script.remove();
          reject(new Error(kWorkerScript + ' could not be loaded'));
        };
        document.head.append(script);
      });
    }
    return workerAddress;
  }

  function cannotStart(language, reason) {
    return language === 'ja'
      ? 'tanshuku-nec: NEC2 の計算を始められません: ' + reason
      : 'tanshuku-nec: the NEC2 check could not start: ' + reason;
  }

  function start(check) {
    let worker = null;
    let ended = false;
    let runLimit = null;
    let wholeLimit = null;
    const end = () => {
      ended = true;
      clearTimeout(runLimit);
      clearTimeout(wholeLimit);
      if (worker) worker.terminate();
    };
    const finish = (callback, value) => {
      if (ended) return;
      end();
      if (callback) callback(value);
    };
    const onMessage = (message) => {
      if (ended) return;
      switch (message.type) {
        case 'limit':
          wholeLimit = setTimeout(() => finish(check.onFailed, message.message), message.limitMs);
          break;
        case 'run':
          runLimit = setTimeout(
            () => finish(check.onTimedOut, message.timeLimitMs / 1000),
            message.timeLimitMs,
          );
          break;
        case 'ran':
          clearTimeout(runLimit);
          break;
        case 'timedOut':
          return finish(check.onTimedOut, message.timeLimitMs / 1000);
        case 'progress':
          if (check.onProgress) check.onProgress(message.step);
          break;
        case 'refused':
          return finish(check.onRefused, message.message);
        case 'failed':
          return finish(check.onFailed, message.message);
        case 'done':
          return finish(check.onDone, message.result);
      }
    };
    workerSource().then(
      (address) => {
        if (ended) return;
        worker = new Worker(address);
        worker.onmessage = (event) => onMessage(event.data);
        worker.onerror = (event) => finish(check.onFailed, cannotStart(check.language, event.message));
        worker.postMessage({
          link: check.link,
          language: check.language,
          runTimeLimitMs: check.runTimeLimitMs,
          measured: check.measured,
        });
      },
      (error) => finish(check.onFailed, cannotStart(check.language, error.message)),
    );
    return { cancel: end };
  }

  globalThis.NecCheck = { start };
})();
