#include "remote_commands.h"

#include <stdio.h>
#include <string.h>

/* Runs one command (changing the line); returns 0 when it is unknown, malformed or failed. */
static int run(const struct remote_actions* actions, char* line) {
    char* argument = strchr(line, ' ');
    if (argument) *argument++ = '\0';
    double x, y;
    if (strcmp(line, "key") == 0 && argument) return actions->key(argument);
    if (strcmp(line, "move") == 0 && argument && sscanf(argument, "%lf %lf", &x, &y) == 2)
        return actions->move(x, y);
    if (strcmp(line, "down") == 0 || strcmp(line, "up") == 0) return actions->button(line[0] == 'd');
    if (strcmp(line, "shot") == 0 && argument) return actions->shot(argument);
    return 0;
}

void serve_commands(const struct remote_actions* actions) {
    setvbuf(stdout, NULL, _IOLBF, 0);
    char line[512];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = '\0';
        char command[sizeof line];
        memcpy(command, line, sizeof line);
        printf(run(actions, command) ? "ok\n" : "error %s\n", line);
    }
}
