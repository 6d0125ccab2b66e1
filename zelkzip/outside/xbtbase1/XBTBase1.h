/* XBTBase1: the file-service library of the archiving program.
 *
 * Conventions of this C interface:
 *   - texts are NUL-terminated Windows-1252 DOS paths ("C:\ZELK\DBF");
 *     the library never keeps a pointer after it returns;
 *   - numbers are int; every routine reports through its result and
 *     never throws, aborts or prints.
 */
#ifndef XBTBASE1_H
#define XBTBASE1_H

#ifdef __cplusplus
extern "C" {
#endif

/* Creates one folder level (the parent must exist). 0 on success, else the
 * errno (ENOENT also for a drive that is not ready). */
int DIRMAKE(const char* dosPath);

/* A random fraction r with 0 <= r < 1. */
double RAND(void);

#ifdef __cplusplus
}
#endif

#endif
