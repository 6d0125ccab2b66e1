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

/* Copies a file. Greater than 0 only when the copy is complete on the
 * target and equal to the source; 0 on any failure (source unreadable,
 * drive not ready, full or removed), which leaves no partial file under the
 * target's name. An existing target is replaced only by a complete copy. */
int FILECOPY(const char* sourceDosPath, const char* targetDosPath);

/* A random fraction r with 0 <= r < 1. */
double RAND(void);

#ifdef __cplusplus
}
#endif

#endif
