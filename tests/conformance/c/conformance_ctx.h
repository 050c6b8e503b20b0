#ifndef CONFORMANCE_CTX_H
#define CONFORMANCE_CTX_H
/* The context every conformance chart names, in C: actions print through log(), guards read
   the flags the script sets, and raise() hands an event back to the machine through the
   runner, its arguments after its name as in a script line: raise("received 3 1").
   Function-pointer members keep the charts' ctx.log("x") spelling valid C. */

typedef struct Ctx {
    void (*log)(const char* line);
    int (*flag)(const char* name);
    void (*raise)(const char* event);
    /* "text value": how a chart shows an event's argument the same way in every language. */
    void (*logValue)(const char* text, int value);
} Ctx;

#endif
