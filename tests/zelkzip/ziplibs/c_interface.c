/* The libraries' C interface used from C, as their headers describe it. */
#include <stdio.h>
#include <string.h>

#include "aunzip32.h"
#include "azip32.h"

static char messages[8192];
static int files, folders, items, problems;

static void collect(void* window, int message, const char* text) {
  if (window != NULL) return;
  if (message == AUNZIP_MSG_FILE) ++files;
  if (message == AUNZIP_MSG_FOLDER) ++folders;
  if (message == AUNZIP_MSG_ITEM) ++items;
  if (message == AUNZIP_MSG_PROBLEM) ++problems;
  if (strlen(messages) + strlen(text) + 8 < sizeof messages) {
    sprintf(messages + strlen(messages), "%d:%s\n", message, text);
  }
}

int c_pack(const char* include, const char* archive) {
  int r = addZIP_Initialise();
  r |= addZIP_SetWindowHandle(NULL);
  r |= addZIP_Recurse(0);
  r |= addZIP_SaveStructure(0);
  r |= addZIP_ArchiveName(archive);
  r |= addZIP_Include(include);
  return r ? r : addZIP();
}

/* mode 'v' list, 't' test, 'x' extract into target. */
int c_unpack(char mode, const char* archive, const char* target) {
  int r;
  messages[0] = '\0';
  files = folders = items = problems = 0;
  r = addUNZIP_Initialise();
  r |= addUNZIP_InstallCallback(collect);
  r |= addUNZIP_ArchiveName(archive);
  if (mode == 'x') {
    r |= addUNZIP_Include("*.*");
    r |= addUNZIP_RestoreStructure(0);
    r |= addUNZIP_ExtractTo(target);
  } else if (mode == 'v') {
    r |= addUNZIP_View();
  } else {
    r |= addUNZIP_Test();
  }
  return r ? r : addUNZIP();
}

const char* c_messages(void) { return messages; }
int c_count(char kind) {
  return kind == 'f' ? files : kind == 'd' ? folders : kind == 'i' ? items : problems;
}

/* Calls the interface refuses. */
int c_refusals(void) {
  int bad = 0;
  bad += addZIP_Initialise() != AZIP_OK;
  bad += addZIP_ArchiveName(NULL) != AZIP_E_ARGUMENT;
  bad += addZIP_Recurse(1) != AZIP_E_UNSUPPORTED;
  bad += addZIP() != AZIP_E_UNSUPPORTED;
  bad += addZIP_Initialise() != AZIP_OK;
  bad += addZIP() != AZIP_E_NO_ARCHIVE;
  bad += addUNZIP_Initialise() != AUNZIP_OK;
  bad += addUNZIP_ArchiveName("C:\\X.ZIP") != AUNZIP_OK;
  bad += addUNZIP() != AUNZIP_E_ARGUMENT; /* no mode */
  bad += addUNZIP_RestoreStructure(1) != AUNZIP_E_UNSUPPORTED;
  bad += addUNZIP_ExtractTo("C:\\T") != AUNZIP_OK;
  bad += addUNZIP() != AUNZIP_E_UNSUPPORTED;
  return bad;
}
