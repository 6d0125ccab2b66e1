#include "xc_lib/xc_poruke/confirm_prompt.h"

#include "platform/text/xbase.h"
#include "platform/ui/dialogs.h"

namespace ui = platform::ui;
using platform::xbase::Empty;

int F_ND_IconStyle(const std::optional<std::string>& slika) {
  if (!slika || Empty(*slika)) return ui::kIconQuestion;
  switch ((*slika)[0]) {
    case '?': return ui::kIconQuestion;
    case 'U': return ui::kIconExclamation;
    case 'I': return ui::kIconInformation;
    case 'X': return ui::kIconStop;
    default: return 0;
  }
}

bool F_ND(const std::string& tekst1, const std::string& tekst2, std::optional<std::string> slika,
          std::optional<std::string> naslov, std::optional<int> stop) {
  std::string cMessage = tekst1 + "\r\n" + tekst2;
  if (Empty(cMessage))
    cMessage = "Izbor akcije za nastavak operacije\r\nili izbor prekida nastavka operacije";
  const std::string cTitle = (naslov && !Empty(*naslov)) ? *naslov : "START OPERACIJE";
  const int nButtons = ui::kButtonsYesNo;
  int nStyle = F_ND_IconStyle(slika);
  nStyle += ui::kForeground;
  const int nStartBtn = (stop && *stop == 1) ? 0 : ui::kDefaultButton2;
  const int q = ui::messageBox(cMessage, cTitle, nButtons | nStyle | nStartBtn);
  return q != ui::kAnswerNo;
}
