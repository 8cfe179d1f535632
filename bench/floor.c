/* The floor of the start-up figures: the least a program can do to show the
 * menu screen and end, as a plain C program linked against the C library
 * only. It writes the bytes that tanshuku writes when the answer at the menu
 * is 0 (the menu screen, then the line holding one blank) in one write.
 * Built with: gcc -O2 -fexec-charset=CP932 floor.c (texts are UTF-8 here and
 * Shift-JIS in the program, as in tanshuku). */
#include <unistd.h>

static const char menuScreen[] =
    " \r\n"
    "＊＊＊＊＊＊＊＊＊＊＊＊＊短縮アンテナ作成用プログラム＊＊＊＊＊＊＊＊＊＊＊\r\n"
    " \r\n"
    "                                                  tanshuku ver.1.0  (C) 2026\r\n"
    " \r\n"
    " \r\n"
    " \r\n"
    "   \r\n"
    "                    １，ローディングコイルの定数計算                      \r\n"
    "                                                                          \r\n"
    "                    ２，コイルのインダクタンス、巻数計算                  \r\n"
    "                                                                          \r\n"
    "                    ３，短縮アンテナ（アンテナ導体）のインピーダンス計算  \r\n"
    "                                                                          \r\n"
    "                    ４，短縮アンテナの能率計算                            \r\n"
    " \r\n"
    "                    ５，半波長ダイポールアンテナの計算      \r\n"
    " \r\n"
    " \r\n"
    " \r\n"
    "             どのソフトを走らせましょうか　　番号を入力してください　    \r\n"
    "                                     ６でヘルプ　 ０を入力すると終了します\r\n"
    " \r\n";

int main(void) {
  return write(STDOUT_FILENO, menuScreen, sizeof menuScreen - 1) == (ssize_t)(sizeof menuScreen - 1)
             ? 0
             : 1;
}
