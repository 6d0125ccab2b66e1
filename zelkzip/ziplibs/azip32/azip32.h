/* azip32: the packing library of the archiving program.
 *
 * A job is described by a series of calls and performed by addZIP():
 *
 *   addZIP_Initialise();
 *   addZIP_SetWindowHandle(owner);     optional
 *   addZIP_Recurse(0);
 *   addZIP_SaveStructure(0);
 *   addZIP_ArchiveName("C:\\ZELK-ARHIVA\\01-2001 (2004-03-15) .ZIP");
 *   addZIP_Include("C:\\DATA\\*.DBF|C:\\DATA\\*.CDX|");
 *   addZIP();
 *
 * Conventions of this C interface:
 *   - texts are NUL-terminated Windows-1252 bytes; paths are DOS paths
 *     ("C:\FOLDER\FILE.EXT", case-insensitive) resolved through the
 *     program's drive table; the library copies every text it is given;
 *   - flags and numbers are int; every routine returns 0 on success or one
 *     of the AZIP_E_ codes below, and never throws, aborts or prints;
 *   - one job at a time per process; the calls are not thread-safe.
 *
 * What addZIP() writes: every file matched by a file pattern of the
 * include text (a "|"-ended list of DOS paths whose last name may hold the
 * wildcards * and ?) is stored under its bare name, deflated unless that
 * would not make it smaller, with its modification time. Folders are not
 * entered; a file matched twice, or a second file with the same bare name,
 * is stored once (the first). The container itself is never packed into
 * itself. Names beyond ASCII are stored as UTF-8 with the language-encoding
 * flag. Containers that need it (an entry or the container of 4 GiB or
 * more, more than 65 535 entries) are written in the ZIP64 format.
 *
 * The container is written to a temporary file in its folder and renamed
 * over the container path only when it is complete and flushed to disk, so
 * a failed job leaves any earlier container untouched. Missing folders of
 * the container path are created. A job that matches no file writes an
 * empty container.
 */
#ifndef AZIP32_H
#define AZIP32_H

#ifdef __cplusplus
extern "C" {
#endif

#define AZIP_OK 0
#define AZIP_E_ARGUMENT 1     /* a NULL text, or a call outside a job */
#define AZIP_E_UNSUPPORTED 2  /* recursion or saved structure asked for */
#define AZIP_E_NO_ARCHIVE 3   /* no container path was given */
#define AZIP_E_READ 4         /* a matched file could not be read */
#define AZIP_E_WRITE 5        /* the container could not be written */
#define AZIP_E_MEMORY 6
#define AZIP_E_INTERNAL 7

/* Starts a new job, forgetting everything of the one before. */
int addZIP_Initialise(void);

/* The caller's owner window. This library shows no window; the handle is
 * kept only for the job. */
int addZIP_SetWindowHandle(void* window);

/* Descend into subfolders (1) or not (0). Only 0 is supported: any other
 * value makes addZIP() fail with AZIP_E_UNSUPPORTED. */
int addZIP_Recurse(int recurse);

/* Store folder names with the files (1) or bare names (0). Only 0 is
 * supported, as for addZIP_Recurse. */
int addZIP_SaveStructure(int saveStructure);

/* The container's DOS path. */
int addZIP_ArchiveName(const char* archive);

/* The "|"-ended file patterns; blanks around each are ignored. */
int addZIP_Include(const char* patterns);

/* Performs the job. Returns when the container is written or the job has
 * failed. */
int addZIP(void);

#ifdef __cplusplus
}
#endif

#endif
