/* aunzip32: the unpacking library of the archiving program: extracting,
 * listing and testing ZIP containers.
 *
 * A job is described by a series of calls and performed by addUNZIP():
 *
 *   addUNZIP_Initialise();
 *   addUNZIP_InstallCallback(callback);
 *   addUNZIP_ArchiveName("C:\\ZELK-ARHIVA\\X.ZIP");
 *   then one mode:
 *     extract:  addUNZIP_Include("*.*"); addUNZIP_RestoreStructure(0);
 *               addUNZIP_ExtractTo("C:\\TARGET");
 *     list:     addUNZIP_View();
 *     test:     addUNZIP_Test();
 *   addUNZIP();
 *
 * Conventions of this C interface:
 *   - texts are NUL-terminated Windows-1252 bytes; paths are DOS paths
 *     resolved through the program's drive table; the library copies every
 *     text it is given and passes the callback texts that live only for the
 *     call;
 *   - flags and numbers are int; every routine returns 0 on success or one
 *     of the AUNZIP_E_ codes below, and never throws, aborts or prints;
 *   - one job at a time per process; the calls are not thread-safe. The
 *     callback is called synchronously, on the thread that called
 *     addUNZIP(), once per message.
 *
 * Messages. Each text is a list of fields, each ended by "|". No field
 * holds "|", CR or LF (such characters of entry names are shown as "_").
 *
 *   22  list mode, a file entry;  21  list mode, a folder entry:
 *       1 the entry's path as stored, with backslashes
 *       2 the compression method ("Stored", "Deflated", or "Method n")
 *       3 the bare name
 *       4 the uncompressed size in bytes
 *       5 the compressed size in bytes
 *       6 the space saved, a whole percentage (0 for an empty file)
 *       7 the date, dd.mm.yyyy
 *       8 the time, hh:mm:ss
 *       No backslash follows field 1.
 *   15  extract mode, a file written: 1 the entry's path as stored,
 *       2 the written file's full DOS path.
 *       test mode, a problem: 1 the entry's path as stored, or the
 *       container path for a problem of the whole container, 2 the
 *       problem. A sound container gives no message 15, 21 or 22.
 *   3   extract and list modes, a problem: an entry not written (unsafe
 *       or unsupported name, damaged data, a write error) or a container
 *       that cannot be read: 1 the entry or container, 2 the problem.
 *
 * Extraction (structure off) writes every file entry matching the include
 * patterns (DOS wildcards, matched against the bare name) into the target
 * folder under its bare name, replacing a file of that name. A name that is
 * empty, "." or "..", holds a drive colon or a character Windows forbids,
 * or would leave the target folder is never written. Each file is written
 * to a temporary file in the target folder, checked (CRC and size) and
 * renamed into place only when whole. An entry sharing bytes with another
 * is a problem and is not written (the first of them is). A missing target
 * folder is created. Folder entries are not created.
 *
 * Testing reads every entry in full and checks its CRC and sizes, compares
 * each local header with its central-directory record (name, method, CRC,
 * sizes, and the data descriptor where there is one) and checks that the
 * entries lie inside the container without overlapping.
 */
#ifndef AUNZIP32_H
#define AUNZIP32_H

#ifdef __cplusplus
extern "C" {
#endif

#define AUNZIP_MSG_PROBLEM 3
#define AUNZIP_MSG_ITEM 15
#define AUNZIP_MSG_FOLDER 21
#define AUNZIP_MSG_FILE 22

#define AUNZIP_OK 0
#define AUNZIP_E_ARGUMENT 1     /* a NULL text, a call outside a job, no mode */
#define AUNZIP_E_UNSUPPORTED 2  /* restored structure asked for */
#define AUNZIP_E_NO_ARCHIVE 3   /* no container path was given */
#define AUNZIP_E_DAMAGED 4      /* the container, or an entry, is not sound */
#define AUNZIP_E_WRITE 5        /* an extracted file could not be written */
#define AUNZIP_E_MEMORY 6
#define AUNZIP_E_INTERNAL 7

/* The message callback: the window is always NULL (this library has no
 * window); the text lives only for the call. */
typedef void (*AUNZIP_CALLBACK)(void* window, int message, const char* text);

/* Starts a new job, forgetting everything of the one before. */
int addUNZIP_Initialise(void);

/* The callback for the job's messages; NULL drops them. */
int addUNZIP_InstallCallback(AUNZIP_CALLBACK callback);

/* The container's DOS path. */
int addUNZIP_ArchiveName(const char* archive);

/* Extract mode: the "|"-ended wildcard patterns of the entries to extract
 * ("*.*" all; blanks around each ignored). */
int addUNZIP_Include(const char* patterns);

/* Extract mode: restore the entries' folders (1) or not (0). Only 0 is
 * supported: any other value makes addUNZIP() fail with
 * AUNZIP_E_UNSUPPORTED. */
int addUNZIP_RestoreStructure(int restoreStructure);

/* Selects extract mode with the target folder's DOS path. */
int addUNZIP_ExtractTo(const char* folder);

/* Selects list mode. */
int addUNZIP_View(void);

/* Selects test mode. */
int addUNZIP_Test(void);

/* Performs the job. Returns 0 when everything went well, otherwise the
 * first problem's code; the messages tell the details. */
int addUNZIP(void);

#ifdef __cplusplus
}
#endif

#endif
