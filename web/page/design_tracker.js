// Follows the dialogue with the program to know menu 1's design just typed:
// fed what each run of the program writes (code page 932 bytes) and each
// line the page hands it, it knows which of menu 1's questions a line
// answers by the output before it, and once the result's inductance line is
// on the screen it gives the design as the program read it. Each run starts
// at the menu, so a run that ends (an error, Ctrl-C, menu 0) takes its
// answers with it, and a run started again after a slip is followed afresh
// through the answers handed to it again. Classic script, no DOM: the page
// loads it, and node requires it for the tests.
(function (exports) {
  'use strict';

  // The program reads a number as the bytes above 0x20 after any blanks and
  // line ends, and throws the rest of the line away (console_io.cpp); a line
  // with no such byte leaves it waiting for the next line.
  function numberToken(text) {
    const found = /[^\x00-\x20]+/.exec(text);
    return found ? found[0] : null;
  }

  // contract: program_contract.js's exports. onDesign(design): called with
  // { frequency, length, diameter, tip } (texts as the program read them,
  // tip null for base loading) when a result shows one, and with null when
  // it is no longer the one on the screen.
  function create({ contract, onDesign }) {
    const texts = contract.loadingCoil;
    const numberQuestions = [
      [texts.kDiameterQuestion, 'diameter'],
      [texts.kLengthQuestion, 'length'],
      [texts.kFrequencyQuestion, 'frequency'],
      [texts.kTipLengthQuestion, 'tip'],
    ];
    const decoder = new TextDecoder('shift_jis');
    let output = [];      // the run's output since the last line handed on
    let answers = null;   // of menu 1's dialogue under way
    let awaited = null;   // the number question that a blank line left open
    let design = null;    // the one offered

    const outputText = () => {
      const bytes = new Uint8Array(output.reduce((size, piece) => size + piece.length, 0));
      output.reduce((at, piece) => (bytes.set(piece, at), at + piece.length), 0);
      return decoder.decode(bytes);
    };

    function offer(next) {
      if (next === design) return;
      design = next;
      onDesign(design);
    }

    function forget() {
      output = [];
      answers = null;
      awaited = null;
      offer(null);
    }

    const complete = (given) =>
      given.diameter && given.length && given.frequency && given.loading &&
      (given.loading === 'base' || given.tip);

    function answer(question, line) {
      if (question === 'loading') {
        const first = String.fromCharCode(line[0] === undefined ? 0 : line[0]);
        answers.loading = texts.kTipLoadingFirstBytes.includes(first) ? 'tip' : 'base';
        return;
      }
      const token = numberToken(decoder.decode(line));
      if (token === null) {
        awaited = question;
        return;
      }
      answers[question] = token;
    }

    // The question the output before a line ends with, if it is one of menu
    // 1's; a question left open by a blank line, when nothing came between.
    function questionOf(text) {
      if (text === '') return awaited;
      if (text.endsWith(texts.kLoadingQuestion)) return 'loading';
      const found = numberQuestions.find(([question]) => text.endsWith(question));
      return found ? found[1] : null;
    }

    return {
      runStarted: forget,
      runEnded: forget,
      output(bytes) {
        output.push(Uint8Array.from(bytes));
        if (!answers || !complete(answers) || !outputText().includes(texts.kInductanceText)) return;
        const { frequency, length, diameter, loading, tip } = answers;
        answers = null;
        offer({ frequency, length, diameter, tip: loading === 'tip' ? tip : null });
      },
      line(bytes) {
        const text = outputText();
        output = [];
        const question = questionOf(text);
        awaited = null;
        if (text.includes(contract.kMenuLastLine)) offer(null);
        if (question === 'diameter') answers = {};
        if (question && answers) answer(question, bytes);
      },
    };
  }

  exports.create = create;
})(typeof module !== 'undefined' ? module.exports : (globalThis.DesignTracker = {}));
