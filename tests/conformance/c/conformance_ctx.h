#ifndef CONFORMANCE_CTX_H
#define CONFORMANCE_CTX_H
/* The context every conformance chart names, in C: actions print through log(), guards read
   the flags the script sets, and raise() hands an event back to the machine through the
   runner. Function-pointer members keep the charts' ctx.log("x") spelling valid C. */

typedef struct Ctx {
    void (*log)(const char* line);
    int (*flag)(const char* name);
    void (*raise)(const char* event);
} Ctx;

#endif
