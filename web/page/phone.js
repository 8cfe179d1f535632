// The terminal on a screen narrower than the program's lines (a phone): its
// box is scrolled sideways to keep the cursor in view while a line is
// typed, and a fit view scales the font down until the program's widest
// screens fit the box, to see a whole line at once (a question's end, the
// closing line that asks for Return). Classic script, as page.js.
(function (exports) {
  'use strict';

  // Cells kept in view on either side of the cursor: the characters just
  // typed, and room for the next.
  const kCellsBesideCursor = 3;
  // The fit view's font size is tried downwards in steps of this size, and
  // never below the smallest.
  const kFontStep = 0.25;
  const kSmallestFont = 4;

  function screenOf(terminal) {
    return terminal.element.querySelector('.xterm-screen');
  }

  // Scrolls the box sideways, as little as it takes, to show the cursor's
  // cell and those beside it.
  function keepCursorInView(terminal, box) {
    const screen = screenOf(terminal).getBoundingClientRect();
    const cell = screen.width / terminal.cols;
    const screenLeft = screen.left - box.getBoundingClientRect().left + box.scrollLeft;
    const cursorLeft = screenLeft + terminal.buffer.active.cursorX * cell;
    const wantedLeft = cursorLeft - kCellsBesideCursor * cell;
    const wantedRight = cursorLeft + (1 + kCellsBesideCursor) * cell;
    if (wantedLeft < box.scrollLeft) {
      box.scrollLeft = Math.max(0, wantedLeft);
    } else if (wantedRight > box.scrollLeft + box.clientWidth) {
      box.scrollLeft = wantedRight - box.clientWidth;
    }
  }

  // The largest font size, up to the usual one, at which the fit addon
  // finds room for the columns in the box.
  function fittingFontSize(terminal, fit, columns, usualSize) {
    let size = usualSize;
    for (;;) {
      terminal.options.fontSize = size;
      const proposed = fit.proposeDimensions();
      if (!proposed || proposed.cols >= columns || size - kFontStep < kSmallestFont) return size;
      size -= kFontStep;
    }
  }

  // Follows the cursor in the box, and switches the fit view with the
  // button. fontChanged is called after the font size has changed, for the
  // page to fit the terminal's columns and rows to it.
  function attach({ terminal, box, fit, columns, button, fontChanged }) {
    const usualSize = terminal.options.fontSize;
    let fitting = false;
    const follow = () => keepCursorInView(terminal, box);
    terminal.onCursorMove(follow);
    terminal.onResize(follow);

    const applyFont = () => {
      const size = fitting ? fittingFontSize(terminal, fit, columns, usualSize) : usualSize;
      terminal.options.fontSize = size;
      fontChanged();
      follow();
    };
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => {
      fitting = !fitting;
      button.setAttribute('aria-pressed', String(fitting));
      applyFont();
    });
    // Before the page follows the window's new width.
    window.addEventListener('resize', () => {
      if (fitting) applyFont();
    });
  }

  exports.attach = attach;
})((globalThis.PhoneView = {}));
