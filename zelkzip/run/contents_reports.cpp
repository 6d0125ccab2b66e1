#include "run/contents_reports.h"

#include <cstdio>

#include "bridge/zip_messages.h"
#include "platform/files/file_services.h"
#include "platform/process/run_program.h"
#include "platform/text/date_format.h"
#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"
#include "xc_lib/xc_start/data_location.h"

using namespace platform::xbase;

namespace {

const std::string kSeparator(79, '-');

// Every line goes out as CR LF, the four-blank margin, then the text, so
// the file starts with an empty line and ends without a line break.
class ReportLines {
 public:
  void add(const std::string& line) { text_ += "\r\n    " + line; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The six header lines both reports begin with.
void addHead(ReportLines& r, const std::string& marker, const std::string& container, const std::string& source) {
  r.add(marker);
  r.add("ARHIVSKI PAKET - ZIP KONTEJNER");
  r.add(kSeparator);
  r.add("ZIP Paket: " + container);
  r.add(source);
  r.add(kSeparator);
}

std::string leftIn(const std::string& s, std::size_t w, char fill = ' ') {
  std::string out = s.substr(0, w);
  out.resize(w, fill);
  return out;
}

std::string rightIn(const std::string& s, std::size_t w) {
  if (s.size() >= w) return s.substr(0, w);
  return std::string(w - s.size(), ' ') + s;
}

std::string field(const std::vector<std::string>& fields, std::size_t n) {
  return n <= fields.size() ? fields[n - 1] : std::string();
}

// The field's leading digits, after leading blanks; no digits count 0.
double leadingNumber(const std::string& s) {
  std::size_t i = s.find_first_not_of(' ');
  double v = 0;
  for (; i != std::string::npos && i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + (s[i] - '0');
  return v;
}

std::string twoDecimals(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

// The date in the process-wide date format, then the time of day.
std::string stampLine(const platform::clock::LocalTime& t) {
  char time[32];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return platform::text::formatDate(t.year, t.month, t.day) + " " + time;
}

void writeTellAndShow(const std::string& path, const std::string& bytes, const std::string& title) {
  platform::files::writeWhole(path, bytes);
  platform::ui::messageBox("Sadrzaj arhive snimljen u fajl:\r\n" + path, title);
  // The whole path is the editor's command line, blanks and all.
  platform::process::runAndWait("NOTEPAD.EXE " + path);
}

}  // namespace

std::string ArchiveReportText(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                              const std::string& ZIP_FajlMaterijal, const std::string& programFolder,
                              const platform::clock::LocalTime& stamp) {
  ReportLines r;
  addHead(r, "|ARHIVIRANO|", ZIP_FajlKontejner, "Materijal: " + ZIP_FajlMaterijal);
  double sum4 = 0, sum5 = 0;
  std::size_t count = 0;
  for (const auto& entry : aSpisak) {
    const auto f = SplitZipMessage(entry);
    ++count;
    sum4 += leadingNumber(field(f, 4));
    sum5 += leadingNumber(field(f, 5));
    r.add(leftIn(std::to_string(count), 4) + " " + leftIn(field(f, 3), 24, '.') + " " + rightIn(field(f, 4), 10) +
          " " + rightIn(field(f, 5), 10) + " " + rightIn(field(f, 6), 3) + "% " + rightIn(field(f, 7), 10) + " " +
          rightIn(field(f, 8), 10));
  }
  r.add(kSeparator);
  r.add(leftIn(std::to_string(count), 4) + " " + leftIn("SVEGA MegaBajta: ", 24) + " " +
        rightIn(twoDecimals(sum4 / 1000 / 1000), 10) + " " + rightIn(twoDecimals(sum5 / 1000 / 1000), 10));
  r.add(" ");
  r.add("NAPOMENA: Arhiva ce biti kopirana na drajv A ili drajv ucitan iz fajla");
  r.add(programFolder + "\\DBF\\DRAJV.ZEL");
  r.add("koji se moze formirati iz tekst editora i u koji se kao prvi znak upise");
  r.add("jedno slovo kao oznaka drajva: D,E,F,G,H...");
  r.add(" ");
  r.add(stampLine(stamp));
  return r.text();
}

std::string RestoreReportText(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                              const std::string& UNZIP_FolderKontejner, const platform::clock::LocalTime& stamp) {
  ReportLines r;
  addHead(r, "|REARHIVIRANO|", ZIP_FajlKontejner, "Raspakovan na lokaciju : " + UNZIP_FolderKontejner);
  std::size_t count = 0;
  for (const auto& entry : aSpisak) r.add(leftIn(std::to_string(++count), 10, '.') + " " + entry);
  r.add(" ");
  r.add(stampLine(stamp));
  return r.text();
}

int ZIP_Spisak(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
               const std::string& ZIP_FajlIzvestaj, const std::string& ZIP_FajlMaterijal) {
  writeTellAndShow(ZIP_FajlIzvestaj, ArchiveReportText(aSpisak, ZIP_FajlKontejner, ZIP_FajlMaterijal, Gde_Exe(), platform::clock::systemLocalTime()),
                   "ARHIVIRANO | IZVESTAJ");
  return 0;
}

int UNZIP_Spisak(const std::vector<std::string>& aSpisak, const std::string& ZIP_FajlKontejner,
                 const std::string& UNZIP_FajlIzvestaj, const std::string& UNZIP_FolderKontejner) {
  writeTellAndShow(UNZIP_FajlIzvestaj, RestoreReportText(aSpisak, ZIP_FajlKontejner, UNZIP_FolderKontejner, platform::clock::systemLocalTime()),
                   "REARHIVIRANO | IZVESTAJ");
  return 0;
}
