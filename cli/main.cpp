// korin: the date engine on the command line.

#include "cli/command.h"
#include "cli/ics.h"
#include "cli/koyomi_commands.h"
#include "date/definitions.h"
#include "date/file_read.h"
#include "date/host.h"
#include "platform/file_locations.h"
#include "platform/program_environment.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Every command of korin, in the order of the help text.
const std::array commands = {
    Command{"holidays", "holidays FIRST [LAST]",
            "FIRST 年から LAST 年までの祝日を一行ずつ表示します", true, RunHolidays},
    Command{"name", "name [DATE]", "DATE の祝日名を表示します (祝日でなければ終了状態 1)", true,
            RunName},
    Command{"era", "era [DATE]", "DATE を和暦で表示します (元号がなければ終了状態 1)", true,
            RunEra},
    Command{"label", "label YEAR MONTH", "月表示の元号 (例: 令和元年) を表示します", true,
            RunLabel},
    Command{"add", "add DATE N", "DATE の N 日後 (N < 0 なら前) の日付を表示します", false, RunAdd},
    Command{"between", "between A B", "A から B までの日数を表示します", false, RunBetween},
    Command{"span", "span A B", "A と B の間の年月日数を YYYYMMDD で表示します", false, RunSpan},
    Command{"ics", "ics [--koyomi] FIRST [LAST]",
            "FIRST 年から LAST 年までの祝日 (--koyomi: と節気・雑節) を iCalendar 形式で表示します",
            true, RunIcs},
    Command{"check", "check FILE",
            "定義の祝日を公式の祝日一覧 (syukujitsu.csv) と照合します (相違があれば終了状態 1)",
            true, RunCheck},
    Command{"koyomi", "koyomi FIRST [LAST]",
            "FIRST 年から LAST 年までの毎日の旧暦・六曜・節気・雑節・正午月齢を表示します", false,
            RunKoyomi},
    Command{"sekki", "sekki FIRST [LAST]", "FIRST 年から LAST 年までの二十四節気の日時を表示します",
            false, RunSekki},
    Command{"moon", "moon FIRST [LAST]",
            "FIRST 年から LAST 年までの朔・上弦・望・下弦の日時を表示します", false, RunMoon},
};

// The engine's messages go to standard error; the end of the program is exit status 2.
class KorinHost final : public EngineHost {
public:
    void showError(const std::string& message) override {
        (void)WriteStandardText(StandardStream::Error, message + "\n");
    }
    [[noreturn]] void endProgram() override { std::exit(2); }
    [[nodiscard]] std::string programFolder() const override {
        return locations.programFolder.string();
    }
    [[nodiscard]] std::string definitionFileToRead(const std::string& fileName) const override {
        return DefinitionFileToRead(locations, fileName).string();
    }
    // korin only reads the definition files.
    [[nodiscard]] WriteResult replaceFile(const std::string&, std::string_view) override {
        return WriteResult::failed(ENOSYS);
    }

    FileLocations locations;
};

// korin --where: the folders and files the programs use for this user.
std::string whereText(const FileLocations& locations) {
    std::string text =
        "プログラムのフォルダ: " + locations.programFolder.string() +
        (locations.besideProgram ? "\n" : " (共用: 利用者ごとのフォルダを使います)\n");
    // A shared folder without a folder of the user's: nothing is saved anywhere.
    const std::string none = "なし (利用者のフォルダが見つかりません)";
    text +=
        "設定ファイル: " +
        (locations.settingsFolder.empty() ? none
                                          : (locations.settingsFolder / "Zelvar.ini").string()) +
        "\n";
    for (const char* name : {"Korin1.csv", "Korin2.csv"}) {
        text += std::string(name) + ": " + DefinitionFileToRead(locations, name).string() + "\n";
    }
    text += "定義ファイルの保存先: " +
            (locations.userDataFolder.empty() ? none : locations.userDataFolder.string()) + "\n";
    return text;
}

std::string usageText() {
    std::string text = "使い方: korin [--dir フォルダ] コマンド [引数...]\n"
                       "       korin [--dir フォルダ] --where\n\nコマンド:\n";
    for (const Command& command : commands) {
        std::string synopsis = command.synopsis;
        synopsis.resize(std::max<std::size_t>(synopsis.size(), 24), ' ');
        text += "  " + synopsis + command.summary + "\n";
    }
    text += "\nDATE は yyyymmdd か yyyy-mm-dd (西暦1年から9999年まで)。省略すると今日。\n"
            "--dir フォルダ: Korin1.csv と Korin2.csv を読むフォルダ (既定は korin のフォルダ、\n"
            "    そこが共用なら利用者のフォルダに保存された定義を先に探します)\n"
            "--where: 使っているフォルダとファイルを表示します\n"
            "--help: この説明を表示します\n"
            "\nコンソールには文字として表示し、ファイルやパイプへは UTF-8 で書き出します。\n";
    return text;
}

// Writes `text` to standard output and makes sure it got there: output that did not reach its
// destination (a full disk, a closed pipe) is a failure, said on standard error, not a success
// with nothing said. Every write is checked, including the last flush.
bool writeOutput(const std::string& text) {
    if (WriteStandardText(StandardStream::Output, text)) {
        return true;
    }
    const int error = errno != 0 ? errno : EIO;
    (void)WriteStandardText(StandardStream::Error, std::string("korin: 出力を書き込めません。(") +
                                                       std::strerror(error) + ")\n");
    return false;
}

int usageError(const std::string& message) {
    (void)WriteStandardText(StandardStream::Error, "korin: " + message + "\n\n" + usageText());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    UseBinaryUtf8StandardStreams();
    KorinHost host;
    host.locations =
        FindFileLocations(PathFromUtf8(RunningProgramFolder(argc > 0 ? argv[0] : nullptr)));
    SetEngineHost(&host);

    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    std::size_t next = 0;
    if (next < args.size() && (args[next] == "--help" || args[next] == "-h")) {
        return writeOutput(usageText()) ? 0 : 2;
    }
    if (next < args.size() && args[next] == "--dir") {
        if (next + 1 >= args.size()) {
            return usageError("--dir にフォルダを指定してください。");
        }
        // A folder named on the command line is read as it is, without the user's copies.
        host.locations = ChooseFileLocations(PathFromUtf8(args[next + 1]), true, {});
        next += 2;
    }
    if (next < args.size() && args[next] == "--where") {
        if (next + 1 < args.size()) {
            return usageError("--where のあとに引数は指定できません。");
        }
        return writeOutput(whereText(host.locations)) ? 0 : 2;
    }
    if (next >= args.size()) {
        return usageError("コマンドを指定してください。");
    }
    const Command* command = nullptr;
    for (const Command& candidate : commands) {
        if (args[next] == candidate.name) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        return usageError("不明なコマンドです: " + args[next]);
    }
    std::vector<std::string> commandArgs(args.begin() + static_cast<std::ptrdiff_t>(next + 1),
                                         args.end());
    std::string out;
    int status = 0;
    try {
        if (command->readsDefinitions) {
            St_LoadDefinitions();
        }
        status = command->run(commandArgs, out);
    } catch (const UsageError& error) {
        return usageError(error.what());
    }
    return writeOutput(out) ? status : 2;
}
