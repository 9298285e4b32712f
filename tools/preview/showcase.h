// Pictures that show the game outside it: the application icon for the
// desktop menu and the screenshots in docs/ for the README.
//
//   tarvok_preview icon DIR [--run RUNDIR] [--character I]
//       The icon at 16, 22, 24, 32, 48, 64, 128 and 256 pixels, as
//       DIR/<N>x<N>/apps/tarvok.png (the layout of an icon theme), drawn
//       from a character's face portrait (default: character 2). Needs no
//       display, so the build makes it.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" tarvok_preview screens DIR [--run RUNDIR]
//       A scripted game played frame by frame, as the window would, with
//       five frames kept in DIR: selection.png (ZORAG against THE VORLAN),
//       fireworks.png (ZORAG's entrance celebration), entrance.png (THE
//       VORLAN on the entrance way), match.png (a punch landing) and
//       throw.png (a suplex), reduced to at most 256 colours so they stay
//       small.
//
// RUNDIR holds game.ini and the data (default: the current directory if it
// has game.ini, else the run/ directory beside this program).
#pragma once

// Runs the icon or screens mode when argv[1] names one and returns the exit
// status; returns -1 for every other mode.
int runShowcase(int argc, char** argv);
