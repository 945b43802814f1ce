/* The command loop of the desktop tests' remote clients (gnome_remote, kwin_remote): commands read from
 * standard input, one a line, each answered on standard output with "ok" once the desktop has taken it,
 * or with "error LINE":
 *   key CHORD     key names joined by '+' (xkbcommon's keysym names, e.g. "Alt_L+F4"), pressed in
 *                 order and released in reverse
 *   move X Y      the pointer to the screen's point (X, Y)
 *   down, up      the left button
 *   shot FILE     a screenshot of the whole screen, without the pointer, into FILE (a full path) */
#pragma once

/* What a client does for each command; each returns nonzero once the desktop has taken it. */
struct remote_actions {
    int (*key)(char* chord);
    int (*move)(double x, double y);
    int (*button)(int pressed);
    int (*shot)(const char* file);
};

/* Answers the commands of standard input with `actions` until the input ends. */
void serve_commands(const struct remote_actions* actions);
