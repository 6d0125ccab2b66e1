/* BAZNE: the data-location library of the archiving program.
 *
 * Conventions as in XBTBase1.h: NUL-terminated Windows-1252 texts, int
 * results, nothing thrown across the interface.
 */
#ifndef BAZNE_H
#define BAZNE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Makes the data folder in use (the public value DB_adresa) the current
 * drive and folder when it is known and exists; otherwise leaves the
 * current folder alone. Returns 0 when it moved, 1 when it did not. */
int BAZA(void);

#ifdef __cplusplus
}
#endif

#endif
