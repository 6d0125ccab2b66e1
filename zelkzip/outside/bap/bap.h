/* bap: makes routines of the program callable from C code that knows
 * nothing of them, such as the compression library's message callback.
 *
 * A program routine gets the C arguments unchanged plus the context it was
 * registered with. BACALLBACK hands out a plain C function pointer that
 * calls it; the pointer stays valid until BAFREECALLBACK.
 *
 * Conventions as in XBTBase1.h: NUL-terminated Windows-1252 texts, int
 * numbers, nothing thrown across the interface. A routine must not throw
 * either: bap drops an exception that reaches it.
 */
#ifndef BAP_H
#define BAP_H

#ifdef __cplusplus
extern "C" {
#endif

/* Callback form 200: window, message number, text; no result. */
#define BA_FORM_WINDOW_NUMBER_TEXT 200

typedef void (*BA_WINDOW_NUMBER_TEXT)(void* window, int message, const char* text);
typedef void (*BA_ROUTINE)(void* context, void* window, int message, const char* text);

/* A C-callable pointer of the given form that calls routine with context.
 * NULL for an unknown form, a NULL routine, or when all of bap's slots
 * (BA_SLOTS) are in use. */
#define BA_SLOTS 8
BA_WINDOW_NUMBER_TEXT BACALLBACK(BA_ROUTINE routine, void* context, int form);

/* Gives the pointer's slot back; NULL and unknown pointers are ignored. */
void BAFREECALLBACK(BA_WINDOW_NUMBER_TEXT callback);

#ifdef __cplusplus
}
#endif

#endif
