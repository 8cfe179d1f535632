#include "shell/main_menu.hpp"
#include "shell/program.hpp"

int main() {
  Program::start();
  MainMenu::run();
}
