// strevo-cli: computes a design file without a window and writes the result as JSON or CSV on
// standard output, or the PDF report; the exit status says whether every check is met.
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/base/arithmetic_fault.h"
#include "core/base/json.h"
#include "core/base/text_rules.h"
#include "core/design/design_file.h"
#include "core/design/design_output.h"
#include "core/design/design_result.h"
#include "core/design/section_search.h"
#include "report/report_file.h"

namespace {

// 0 and 1 are ExitStatusOf's: every check met, or one not.
constexpr int kBadInput = 2, kArithmeticFault = 3, kOutOfMemory = 4;

constexpr const char* kUsage =
    "Aufruf: strevo-cli DATEI.strevo [--csv | --bericht AUSGABE.pdf | --bemessen]\n";
constexpr const char* kHelp =
    "\n"
    "Berechnet die Bemessung eines Rahmens aus einer Bemessungsdatei (.strevo) ohne Fenster:\n"
    "alle Kombinationen nach EN 1990, ihre Umhüllende und alle Nachweise.\n"
    "\n"
    "  (ohne Option)           das Ergebnis als JSON auf der Standardausgabe\n"
    "  --csv                   das Ergebnis als CSV für deutsche Tabellenkalkulationen\n"
    "  --bericht AUSGABE.pdf   den Bericht als PDF in die Datei AUSGABE.pdf\n"
    "  --bemessen              die leichtesten Profile für Stützen und Riegel, die alle\n"
    "                          Nachweise erfüllen, als JSON (Rückgabewert 1: kein Paar)\n"
    "  --help                  diese Hilfe\n"
    "  --version               die Version\n"
    "\n"
    "Rückgabewert: 0 alle Nachweise erfüllt, 1 ein Nachweis nicht erfüllt, 2 fehlerhafter\n"
    "Aufruf oder fehlerhafte Eingabe (Meldung auf der Standardfehlerausgabe), 3 Rechenfehler\n"
    "(Überlauf, Division durch Null, Rahmen ohne Gleichgewicht), 4 zu wenig Arbeitsspeicher.\n";

enum class Output { Json, Csv, Report, Search };

struct Call {
  std::string design;
  Output output = Output::Json;
  std::string report;  // the PDF's path
};

void SetOutput(Call& call, Output output) {
  if (call.output != Output::Json && call.output != output) {
    throw std::invalid_argument("--csv, --bericht und --bemessen schließen einander aus.");
  }
  call.output = output;
}

Call Parse(int argc, char** argv) {
  Call call;
  bool options = true, haveDesign = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--csv") {
      SetOutput(call, Output::Csv);
    } else if (options && argument == "--bemessen") {
      SetOutput(call, Output::Search);
    } else if (options && (argument == "--bericht" || argument.starts_with("--bericht="))) {
      SetOutput(call, Output::Report);
      if (argument != "--bericht") {
        call.report = argument.substr(std::string_view("--bericht=").size());
      } else if (i + 1 < argc) {
        call.report = argv[++i];
      }
      if (call.report.empty()) {
        throw std::invalid_argument("--bericht braucht den Namen der PDF-Datei.");
      }
    } else if (options && argument.starts_with("-") && argument != "-") {
      throw std::invalid_argument("Unbekannte Option „" + std::string(argument) + "“.");
    } else if (haveDesign) {
      throw std::invalid_argument("Nur eine Bemessungsdatei: „" + std::string(argument) +
                                  "“ ist zu viel.");
    } else {
      call.design = argument;
      haveDesign = true;
    }
  }
  if (!haveDesign) {
    throw std::invalid_argument("Keine Bemessungsdatei angegeben.");
  }
  return call;
}

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "strevo-cli: %s\n", message.c_str());
  return status;
}

bool Write(std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

bool WriteOut(std::string_view text) {
  return Write(text) && std::fflush(stdout) == 0;
}

int Run(const Call& call, const strevo::Design& design) {
  if (call.output == Output::Search) {
    const strevo::SectionSearch search = strevo::SearchSections(design, {});
    if (!WriteOut(strevo::SectionSearchJson(search))) {
      return Fail("Das Ergebnis konnte nicht auf die Standardausgabe geschrieben werden.",
                  kBadInput);
    }
    return search.passing.empty() ? 1 : 0;
  }
  const strevo::DesignResult result = strevo::ComputeDesign(design);
  switch (call.output) {
    case Output::Json:
    case Output::Csv: {
      // The JSON leaves as it is written; it is the larger form by far.
      bool written = true;
      if (call.output == Output::Json) {
        strevo::WriteDesignResultJson(
            result, [&written](std::string_view piece) { written = written && Write(piece); });
        written = written && std::fflush(stdout) == 0;
      } else {
        written = WriteOut(strevo::DesignResultCsv(result));
      }
      if (!written) {
        return Fail("Das Ergebnis konnte nicht auf die Standardausgabe geschrieben werden.",
                    kBadInput);
      }
      break;
    }
    case Output::Report:
      strevo::SaveDesignReport(result, call.report);
      break;
    case Output::Search:
      break;  // answered above
  }
  return strevo::ExitStatusOf(result);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") {
      break;
    }
    if (argument == "--help" || argument == "-h") {
      return WriteOut(std::string(kUsage) + kHelp) ? 0 : kBadInput;
    }
    if (argument == "--version") {
      return WriteOut("strevo-cli (Strevo) " STREVO_VERSION "\n") ? 0 : kBadInput;
    }
  }
  Call call;
  try {
    call = Parse(argc, argv);
  } catch (const std::invalid_argument& error) {
    Fail(error.what(), kBadInput);
    std::fputs(kUsage, stderr);
    std::fputs("Mehr mit „strevo-cli --help“.\n", stderr);
    return kBadInput;
  }
  std::optional<strevo::Design> design;
  try {
    if (call.output == Output::Report) {
      // Before anything is computed: the report must not replace the design it comes from.
      strevo::CheckReportTarget(call.report, call.design);
    }
    design = strevo::ReadDesignFile(call.design);
    return Run(call, *design);
  } catch (const strevo::ArithmeticFault& fault) {
    const std::string cause = design ? strevo::FaultCauseOf(*design) : std::string();
    return Fail(call.design + ": Rechenfehler (" + strevo::FaultText(fault) +
                    "), die Bemessung lässt sich nicht berechnen" +
                    (cause.empty() ? "." : "; " + cause + "."),
                kArithmeticFault);
  } catch (const std::bad_alloc&) {
    // Not the input's fault: the same file may compute on a machine with more memory.
    return Fail(call.design + ": Der Arbeitsspeicher reicht für diese Bemessung nicht aus.",
                kOutOfMemory);
  } catch (const std::exception& error) {
    // Mistakes in the design file or the design, and a report that cannot be written.
    return Fail(error.what(), kBadInput);
  }
}
