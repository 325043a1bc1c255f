// The `orvelk` command line run as a process, as people run it: standard
// input from a pipe or a file, /dev/full and /dev/zero, a terminal through a
// pseudo-terminal (util-linux `script`), and the exit statuses it gives.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/process_runner.h"
#include "tests/support/test_temp_dir.h"

namespace {

// A limit of the address space for a shell command; none under
// AddressSanitizer, which reserves far more address space than any limit.
// A user-mode emulator (qemu-i386) reserves the guest's whole address space
// at start, so no limit can be set under it either.
bool CanLimitAddressSpace() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return !RunsThroughEmulator();
#endif
}

std::string AddressSpaceLimit(const char* kilobytes) {
    return CanLimitAddressSpace() ? std::string("ulimit -v ") + kilobytes + "; " : "";
}

TEST(CommandLine, TheTextComesFromAnArgumentAnOptionAFileOrStandardInput) {
    const ProcessRun option = Shell("\"$ORVELK\" encode --text HELLO --format codewords");
    ASSERT_EQ(option.status, 0) << option.err;
    EXPECT_EQ(Shell("\"$ORVELK\" encode HELLO --format codewords").out, option.out);
    EXPECT_EQ(Shell("printf HELLO | \"$ORVELK\" encode --format codewords").out, option.out);
    EXPECT_EQ(Shell("printf HELLO | \"$ORVELK\" encode --text-file - --format codewords").out,
              option.out);
    const std::string file = Write("hello.txt", "HELLO");
    EXPECT_EQ(Shell("\"$ORVELK\" encode --text-file '" + file + "' --format codewords").out,
              option.out);
    // Two texts, or a text from a terminal nobody types into, are refused.
    EXPECT_EQ(Shell("\"$ORVELK\" encode HELLO --text WORLD").status, 2);
    const ProcessRun tty = Shell("script -qec '\"$ORVELK\" encode' /dev/null");
    EXPECT_EQ(tty.status, 2);
    EXPECT_TRUE(Has(tty.out, "standard input")) << tty.out;
}

TEST(CommandLine, EndlessInputStopsJustPastWhatTheTextFieldHolds) {
    // /dev/zero: the first NUL ends the text at once; nothing is left of it.
    ProcessRun r = Shell("\"$ORVELK\" encode --text-file /dev/zero");
    EXPECT_EQ(r.status, 7);
    EXPECT_TRUE(Has(r.err, "NUL byte at offset 0")) << r.err;
    // An endless pipe stops at the limit.
    r = Shell("yes | \"$ORVELK\" encode --input-encoding CP932");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "longer than the 8192 bytes")) << r.err;
    r = Shell("yes | \"$ORVELK\" encode");
    EXPECT_EQ(r.status, 1);
    // The limit is of code page 932 bytes: 4096 Kanji are 12288 bytes of UTF-8
    // but 8192 in the plug-in, so they are read whole (and do not fit a symbol).
    std::string kanji;
    for (int i = 0; i < 4096; ++i) kanji += "\xE6\xBC\xA2";
    const std::string path = Write("kanji.txt", kanji);
    r = Shell("\"$ORVELK\" encode --mode K --text-file '" + path + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "does not fit any version up to 40")) << r.err;
    EXPECT_TRUE(Has(r.err, "Kanji characters in Kanji mode")) << r.err;
    r = Shell("\"$ORVELK\" encode --mode K --text-file '" + Write("more.txt", kanji + "a") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "8193 bytes long in code page 932")) << r.err;
    // A batch's file of texts is bounded too, in bytes and in lines.
    r = Shell("\"$ORVELK\" batch /dev/zero --dump");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "cannot read '/dev/zero': it holds more than 268435456 bytes")) << r.err;
    r = Shell("yes | \"$ORVELK\" batch - --dump");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "more than 10000000 lines")) << r.err;
    if (CanLimitAddressSpace()) {
        // Too little memory for what it reads is said, not an abort.
        r = Shell(AddressSpaceLimit("350000") + "\"$ORVELK\" batch /dev/zero --dump");
        EXPECT_EQ(r.status, 8);
        EXPECT_TRUE(Has(r.err, "orvelk: out of memory")) << r.err;
    }
}

TEST(CommandLine, ConversionErrorsCountFromTheFileStartAndShowInvisibleCharacters) {
    const std::string bom = Write("bom.txt",
                                  "\xEF\xBB\xBF"
                                  "ab\xE2\x80\x8B");
    ProcessRun r = Shell("\"$ORVELK\" encode --text-file '" + bom + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "the character U+200B at byte 5 has")) << r.err;
    r = Shell("\"$ORVELK\" encode --text-file '" +
              Write("bad.txt",
                    "\xEF\xBB\xBF"
                    "a\xFF") +
              "'");
    EXPECT_TRUE(Has(r.err, "byte 0xFF at byte 4")) << r.err;
    r = Shell("\"$ORVELK\" encode $(printf 'x\\360\\237\\230\\200')");
    EXPECT_TRUE(Has(r.err, "(U+1F600) at byte 1")) << r.err;
}

TEST(CommandLine, FailedWritesAreFailuresThatNameTheFile) {
    ProcessRun r = Shell("\"$ORVELK\" encode HELLO >/dev/full");
    EXPECT_EQ(r.status, 8);
    EXPECT_TRUE(Has(r.err, "cannot write standard output: No space left on device")) << r.err;
    // Said once, by encode: the last flush of standard output says it no more.
    EXPECT_EQ(r.err.find("standard output"), r.err.rfind("standard output")) << r.err;
    r = Shell("\"$ORVELK\" encode HELLO -o /dev/full");
    EXPECT_EQ(r.status, 8);
    EXPECT_TRUE(Has(r.err, "'/dev/full': No space left on device")) << r.err;
    r = Shell("\"$ORVELK\" encode --help >/dev/full");
    EXPECT_EQ(r.status, 8);
    EXPECT_TRUE(r.err.starts_with("orvelk: cannot write standard output: ")) << r.err;
    EXPECT_EQ(r.err.find("standard output"), r.err.rfind("standard output")) << r.err;
    // info and about say status 8 for it in their help, and exit with it.
    for (const char* command : {"info", "about"}) {
        r = Shell(std::string("\"$ORVELK\" ") + command + " >/dev/full");
        EXPECT_EQ(r.status, 8) << command;
        EXPECT_TRUE(Has(Shell(std::string("\"$ORVELK\" ") + command + " --help").out,
                        "8 when standard\noutput cannot be written") ||
                    Has(Shell(std::string("\"$ORVELK\" ") + command + " --help").out,
                        "8 when standard output cannot be written"))
            << command;
    }
    r = Shell("\"$ORVELK\" encode HELLO -o '" + TestTempDir() + "no/such/folder.svg'");
    EXPECT_EQ(r.status, 8);
    EXPECT_TRUE(Has(r.err, "No such file or directory")) << r.err;
}

// A write beyond the file size limit is a failed write, said, with the old
// file kept and no temporary file left; a file the user may not write is
// refused.
TEST(CommandLine, FileLimitsAndPermissionsAreFailedWritesThatKeepTheOldFile) {
    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "limits/";
    fs::create_directories(dir);
    Write("limits/big.svg", "old");
    Write("limits/long.txt", std::string(2000, 'A'));
    ProcessRun r = Shell("cd '" + dir + "' && ulimit -f 1 && \"$ORVELK\" encode --text-file " +
                         "long.txt --level L -o big.svg");
    EXPECT_EQ(r.status, 8);
    EXPECT_TRUE(Has(r.err, "cannot write big.svg: File too large")) << r.err;
    EXPECT_EQ(Slurp(dir + "big.svg"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

    // As a user other than root, who may write any file: the test's own
    // user, or nobody where the test runs as root and setpriv is there.
    Write("limits/read-only.svg", "precious");
    ::chmod((dir + "read-only.svg").c_str(), 0444);
    std::string as;
    if (::geteuid() == 0) {
        if (Shell("command -v setpriv").status != 0)
            GTEST_SKIP() << "the run as root needs setpriv to be another user";
        ::chmod(dir.c_str(), 0777);
        ::chown((dir + "read-only.svg").c_str(), 65534, 65534);
        as = "ORVELK_APP_FOLDER='" ORVELK_TEST_APP_DIR
             "' setpriv --reuid=65534 --regid=65534 --clear-groups ";
        if (Shell(as + "test -w '" + dir + "'").status != 0)
            GTEST_SKIP() << "nobody cannot reach the test's folder " << dir;
    }
    r = Shell("cd '" + dir + "' && " + as + "\"$ORVELK\" encode HI -o read-only.svg");
    EXPECT_EQ(r.status, 8) << r.err;
    EXPECT_TRUE(Has(r.err, "cannot write read-only.svg: Permission denied")) << r.err;
    EXPECT_EQ(Slurp(dir + "read-only.svg"), "precious");
}

TEST(CommandLine, NothingLeftAfterTheFilterFailsAndLeavesTheFileAsItWas) {
    const std::string svg = TestTempDir() + "earlier.svg";
    ASSERT_EQ(Shell("\"$ORVELK\" encode 123 -o '" + svg + "'").status, 0);
    const std::string earlier = Slurp(svg);
    ASSERT_FALSE(earlier.empty());
    const ProcessRun r = Shell("\"$ORVELK\" encode abc --mode numeric -o '" + svg + "'");
    EXPECT_EQ(r.status, 7);
    EXPECT_TRUE(Has(r.err, "nothing is left to encode after the numeric mode's filter")) << r.err;
    EXPECT_TRUE(Has(r.err, "was not written")) << r.err;
    EXPECT_EQ(Slurp(svg), earlier);
}

TEST(CommandLine, TheFormatFollowsTheExtensionAndContradictionsAreRefused) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build writes no PNG, PDF or EPS (no libpng or cairo for it)";
#endif
    const std::string dir = TestTempDir();
    ASSERT_EQ(Shell("cd '" + dir + "' && \"$ORVELK\" encode HELLO -o a.PNG").status, 0);
    EXPECT_EQ(Slurp(dir + "a.PNG").substr(1, 3), "PNG");
    ASSERT_EQ(Shell("cd '" + dir + "' && \"$ORVELK\" encode HELLO -o b.svg").status, 0);
    EXPECT_TRUE(Has(Slurp(dir + "b.svg"), "<svg"));
    for (const char* name : {"c.png", "c.pdf", "c.eps", "c.txt"})
        ASSERT_EQ(Shell("cd '" + dir + "' && \"$ORVELK\" encode HELLO -o " + name).status, 0)
            << name;
    EXPECT_EQ(Slurp(dir + "c.png").substr(1, 3), "PNG");
    EXPECT_EQ(Slurp(dir + "c.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(Slurp(dir + "c.eps").substr(0, 10), "%!PS-Adobe");
    EXPECT_EQ(Slurp(dir + "c.txt").substr(0, 7), "1111111");
    ProcessRun r = Shell("cd '" + dir + "' && \"$ORVELK\" encode HELLO --format svg -o d.png");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "contradicts")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "d.png"));
    EXPECT_EQ(Shell("cd '" + dir + "' && \"$ORVELK\" encode HELLO --format utf8 -o e.txt").status,
              0);
    // Binary output to a terminal is refused; text formats are fine there.
    r = Shell("script -qec '\"$ORVELK\" encode HELLO --format PNG' /dev/null");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.out, "will not write PNG to a terminal")) << r.out;
    EXPECT_EQ(Shell("script -qec '\"$ORVELK\" encode HELLO --format utf8' /dev/null").status, 0);
    // So is an -o that is a terminal, named or through a link.
    r = Shell("script -qec '\"$ORVELK\" encode HELLO --format pdf -o /dev/tty' /dev/null");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.out, "will not write PDF to a terminal: -o '/dev/tty' is one")) << r.out;
    EXPECT_FALSE(Has(r.out, "%PDF")) << r.out;
    r = Shell("cd '" + dir + "' && ln -sf /dev/tty t.png && script -qec '\"$ORVELK\" place " +
              "--no-interactive --text HELLO -o t.png' /dev/null");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.out, "will not write PNG to a terminal: -o 't.png' is one")) << r.out;
    EXPECT_EQ(Shell("script -qec '\"$ORVELK\" encode HELLO --format svg -o /dev/tty' /dev/null")
                  .status,
              0);
}

TEST(CommandLine, UsageMessagesNameTheOptionAndSuggestTheNearest) {
    ProcessRun r = Shell("\"$ORVELK\" encode HELLO --levle Q");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "option '--levle' is unknown; did you mean '--level'?")) << r.err;
    r = Shell("\"$ORVELK\" encode HELLO --mode");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "option '--mode' needs a value")) << r.err;
    r = Shell("\"$ORVELK\" encdoe HELLO");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "did you mean 'encode'?")) << r.err;
    r = Shell("\"$ORVELK\" batch --dump --lvel Q -");
    EXPECT_TRUE(Has(r.err, "did you mean '--level'?")) << r.err;
    r = Shell("\"$ORVELK\" encode HELLO --ver 2");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "option '--ver' is ambiguous: --verbose, --version")) << r.err;
    r = Shell("\"$ORVELK\" info --verbose=1");
    EXPECT_EQ(r.status, 2);
    // Values in any case.
    const ProcessRun lower = Shell(
        "\"$ORVELK\" encode HELLO --level q --mode a --format CODEWORDS "
        "--input-encoding UTF-8");
    const ProcessRun upper =
        Shell("\"$ORVELK\" encode HELLO --level Q --mode A --format codewords");
    EXPECT_EQ(lower.status, 0) << lower.err;
    EXPECT_EQ(lower.out, upper.out);
}

TEST(CommandLine, AUserScriptThatIsNotCarriedOutIsAFailure) {
    const ProcessRun r = Shell("\"$ORVELK\" info --user 'press 1'");
    EXPECT_EQ(r.status, 5);
    EXPECT_TRUE(Has(r.err, "1 of the 1 steps were left over")) << r.err;
    EXPECT_EQ(Shell("\"$ORVELK\" info").status, 0);
}

TEST(CommandLine, ThePlugInsFolderIsDescribedAsItIs) {
    // Two copies of the plug-in, and a module cut short.
    namespace fs = std::filesystem;
    const std::string app = TestTempDir() + "twice";
    const std::string module = std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip";
    fs::create_directories(app + "/Plug-ins/old");
    fs::copy_file(module, app + "/Plug-ins/Orvelk.aip");
    fs::copy_file(module, app + "/Plug-ins/old/ORVELK.AIP");
    Write("twice/Plug-ins/Broken.aip", Slurp(module).substr(0, 200));
    const ProcessRun r = Shell("\"$ORVELK\" info --app-folder '" + app + "'");
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Has(r.err, "two copies of one plug-in are in the plug-ins folder")) << r.err;
    EXPECT_TRUE(Has(r.err,
                    "Broken.aip: skipped: its resources cannot be read: damaged (the "
                    "section header table"))
        << r.err;

    // A huge file named as a module is told from its first bytes: it is not
    // read whole (here, with less memory than its size, it would not fit).
    const std::string huge = TestTempDir() + "huge";
    fs::create_directories(huge + "/Plug-ins");
    fs::copy_file(module, huge + "/Plug-ins/Orvelk.aip");
    fs::resize_file(fs::path(Write("huge/Plug-ins/Huge.aip", "not a module")), uintmax_t{3} << 30);
    const ProcessRun big =
        Shell(AddressSpaceLimit("1000000") + "\"$ORVELK\" info --app-folder '" + huge + "'");
    EXPECT_EQ(big.status, 4) << big.err;
    EXPECT_TRUE(Has(big.err, "Huge.aip: skipped: its resources cannot be read: not a 64-bit ELF"))
        << big.err;
    EXPECT_TRUE(Has(big.out, "plug-in: Orvelk.aip (started)")) << big.out;
}

#if !defined(__SANITIZE_ADDRESS__)
// With too little memory for the drawing libraries, the run says so and
// fails with status 8, not with GLib's trap (status 133).
TEST(CommandLine, TooLittleMemoryForTheLibrariesIsSaid) {
#if !ORVELK_TEST_IMAGE_LIBS
    GTEST_SKIP() << "this build loads no drawing libraries (no cairo or pango for it)";
#endif
    namespace fs = std::filesystem;
    const std::string app = TestTempDir() + "low_memory";
    fs::create_directories(app + "/Plug-ins");
    fs::create_directories(app + "/Prefs/Orvelk");
    fs::copy_file(std::string(ORVELK_TEST_APP_DIR) + "/Plug-ins/Orvelk.aip",
                  app + "/Plug-ins/Orvelk.aip");
    fs::copy_file(std::string(ORVELK_TEST_APP_DIR) + "/Prefs/Orvelk/ORVK_QR.DAT",
                  app + "/Prefs/Orvelk/ORVK_QR.DAT");
    for (const char* limit : {"80000", "100000"}) {
        const ProcessRun r = Shell(AddressSpaceLimit(limit) + "\"$ORVELK\" place --text HELLO " +
                                   "--show-dialog '" + app + "/d.png' --app-folder '" + app + "'");
        EXPECT_NE(r.status, 133) << limit << ": " << r.err;
        if (r.status == 8) {
            EXPECT_TRUE(Has(r.err, "orvelk: out of memory")) << r.err;
        }
    }
}
#endif

TEST(CommandLine, BatchJobsWriteWhatOneProcessWrites) {
    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "jobs/";
    fs::create_directories(dir + "one");
    fs::create_directories(dir + "four");
    // Seven lines, the fifth of which fails: the messages keep the line order.
    std::string texts;
    for (int i = 1; i <= 7; ++i) texts += i == 5 ? "\n" : "item " + std::to_string(i) + "\n";
    Write("jobs/texts.txt", texts);
    const std::string batch = "cd '" + dir + "' && \"$ORVELK\" batch texts.txt --dump --level Q ";
    const ProcessRun one = Shell(batch + "-o one/l-#.svg --save-actions one.json");
    const ProcessRun four = Shell(batch + "-o four/l-#.svg --save-actions four.json --jobs 4");
    EXPECT_EQ(one.status, 5);
    EXPECT_EQ(four.status, one.status);
    EXPECT_EQ(four.out, one.out);
    EXPECT_EQ(four.err, one.err);
    EXPECT_TRUE(Has(one.err, "line 5: the line is empty")) << one.err;
    for (int i : {1, 2, 3, 4, 6, 7}) {
        const std::string name = "l-" + std::to_string(i) + ".svg";
        EXPECT_FALSE(Slurp(dir + "one/" + name).empty()) << name;
        EXPECT_EQ(Slurp(dir + "four/" + name), Slurp(dir + "one/" + name)) << name;
    }
    EXPECT_EQ(Slurp(dir + "four.json"), Slurp(dir + "one.json"));
    // More jobs than lines is fine; a piped batch shows no progress line.
    const ProcessRun many = Shell(batch + "--jobs 64");
    EXPECT_EQ(many.out, one.out);
    EXPECT_FALSE(Has(many.err, "\r")) << many.err;
}

// The names in `dir` that end in `ending`.
size_t NamesEndingIn(const std::string& dir, const std::string& ending) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        count += entry.path().filename().string().ends_with(ending) ? 1 : 0;
    return count;
}

// The actions a saved set holds.
size_t ActionsIn(const std::string& path) {
    const std::string json = Slurp(path);
    size_t count = 0;
    for (size_t at = json.find("\"document\""); at != std::string::npos;
         at = json.find("\"document\"", at + 1))
        ++count;
    return count;
}

// An interrupted batch, on one process or on several, stops at a line, says
// how far it got, leaves no temporary file (beside the outputs or in
// $TMPDIR), saves the actions of exactly the lines written and ends with
// 128 + the signal.
TEST(CommandLine, AnInterruptedBatchSaysHowFarItGotAndKeepsWhatItWrote) {
    if (RunsThroughEmulator())
        GTEST_SKIP() << "under qemu-i386's user mode the writer thread's join fails with "
                        "EDEADLK once a signal was handled; the case runs where the kernel "
                        "runs the program";
    namespace fs = std::filesystem;
    std::string texts;
    for (int i = 1; i <= 20000; ++i) texts += "item " + std::to_string(i) + "\n";
    const std::string dir = TestTempDir() + "stop/";
    fs::create_directories(dir);
    Write("stop/texts.txt", texts);
    for (const char* how : {"INT --jobs 1", "TERM --jobs 3", "USR1 --jobs 2"}) {
        const std::string signal = std::string(how).substr(0, std::string(how).find(' '));
        const std::string jobs = std::string(how).substr(signal.size() + 1);
        fs::remove_all(dir + "out");
        fs::remove_all(dir + "tmp");
        fs::create_directories(dir + "out");
        fs::create_directories(dir + "tmp");
        const ProcessRun r =
            Shell("cd '" + dir + "' && TMPDIR='" + dir + "tmp' timeout --preserve-status -s " +
                  signal + " 1.5 \"$ORVELK\" batch texts.txt -o out/l-#####.svg " + jobs +
                  " --save-actions set.json");
        EXPECT_EQ(r.status, signal == "INT" ? 130 : signal == "TERM" ? 143 : 138)
            << how << ": " << r.err;
        EXPECT_TRUE(Has(r.err, "interrupted: stopped at line ")) << how << ": " << r.err;
        const size_t written = NamesEndingIn(dir + "out", ".svg");
        EXPECT_GT(written, 0u) << how;
        EXPECT_LT(written, 20000u) << how;
        EXPECT_EQ(NamesEndingIn(dir + "out", ".tmp"), 0u) << how;
        EXPECT_TRUE(fs::is_empty(dir + "tmp")) << how;
        EXPECT_EQ(ActionsIn(dir + "set.json"), written) << how;
        if (jobs == "--jobs 1") {
            const std::string lines =
                written == 1 ? "line 1" : "lines 1-" + std::to_string(written);
            EXPECT_TRUE(Has(r.err, "; " + lines + " written")) << r.err;
        }
    }
}

// The other signals sent to end a process end a run as an interrupt does,
// unless whoever started it ignored them; a reader that goes away ends it
// at once and silently, batch too, its temporary files removed and the old
// action set kept.
TEST(CommandLine, EverySignalThatEndsARunRemovesWhatItWrote) {
    for (const auto& [signal, status] :
         {std::pair{"USR1", 138}, {"USR2", 140}, {"ALRM", 142}, {"XCPU", 152}, {"PROF", 155}}) {
        // encode waits for its text from a pipe that the shell holds open.
        const ProcessRun r = Shell("cd '" + TestTempDir() + "' && rm -f fifo && mkfifo fifo && " +
                                   "{ \"$ORVELK\" encode -o never.svg <fifo & p=$!; exec 3>fifo; " +
                                   "sleep 0.3; kill -" + signal + " $p; wait $p; }");
        EXPECT_EQ(r.status, status) << signal << ": " << r.err;
        EXPECT_TRUE(Has(r.err, "orvelk: interrupted")) << signal << ": " << r.err;
    }
    const ProcessRun ignored = Shell(
        "cd '" + TestTempDir() + "' && trap '' USR1 && { \"$ORVELK\" encode --format codewords " +
        "<fifo & p=$!; exec 3>fifo; sleep 0.3; kill -USR1 $p; exec 3>&-; wait $p; }");
    EXPECT_EQ(ignored.status, 7) << ignored.err;  // it ran on: the text was empty

    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "pipe/";
    fs::create_directories(dir + "out");
    std::string texts;
    for (int i = 1; i <= 3000; ++i) texts += "item " + std::to_string(i) + "\n";
    Write("pipe/texts.txt", texts);
    Write("pipe/set.json", "the old set");
    fs::create_directories(dir + "tmp");
    for (const char* jobs : {"1", "2"}) {
        const ProcessRun r =
            Shell("cd '" + dir + "' && { TMPDIR='" + dir + "tmp' \"$ORVELK\" " +
                  "batch texts.txt --dump -o out/l-####.svg --save-actions set.json --jobs " +
                  jobs + "; echo $? >status; } | head -c 100");
        EXPECT_EQ(Slurp(dir + "status"), "141\n") << jobs << ": " << r.err;
        EXPECT_EQ(r.err, "") << jobs;
        EXPECT_EQ(NamesEndingIn(dir + "out", ".tmp"), 0u) << jobs;
        EXPECT_EQ(Slurp(dir + "set.json"), "the old set") << jobs;
        EXPECT_TRUE(fs::is_empty(dir + "tmp")) << jobs;  // the jobs' folder too
    }
}

// A job killed by a signal is named with its lines and the signal, and the
// action set it leaves incomplete is not written over the old one.
TEST(CommandLine, AKilledJobIsNamedAndTheOldActionSetStays) {
    std::string texts;
    for (int i = 1; i <= 8000; ++i) texts += "item " + std::to_string(i) + "\n";
    const std::string dir = TestTempDir() + "killed/";
    std::filesystem::create_directories(dir);
    Write("killed/texts.txt", texts);
    Write("killed/set.json", "the old set");
    const ProcessRun r = Shell(
        "cd '" + dir + "' && { \"$ORVELK\" batch texts.txt --dump --jobs 2 --save-actions set.json "
        ">/dev/null & p=$!; sleep 0.7; kill -KILL $(pgrep -P $p | head -n 1); wait $p; }");
    EXPECT_EQ(r.status, 5) << r.err;
    EXPECT_TRUE(Has(r.err, "the job of lines 1-4000 was ended by signal 9 (Killed)")) << r.err;
    EXPECT_TRUE(Has(r.err, "set.json was not written (the job of lines 1-4000 did not run to its "
                           "end); it is as it was"))
        << r.err;
    EXPECT_EQ(Slurp(dir + "set.json"), "the old set");
}

// Descriptors 0-2 that whoever started the run closed are never taken by a
// file it writes (a batch's writer would put the dump or the messages in
// it); a closed standard output is still a failed write, said with its
// reason, with or without jobs.
TEST(CommandLine, ClosedStandardDescriptorsAreNeverTheFilesItWrites) {
    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "closed/";
    fs::create_directories(dir);
    // encode waits in opening its -o file, a pipe nobody reads yet.
    ProcessRun r = Shell("cd '" + dir + "' && rm -f fifo && mkfifo fifo && " +
                         "{ \"$ORVELK\" encode HI -o fifo <&- >&- 2>&- & p=$!; sleep 0.5; " +
                         "readlink /proc/$p/fd/0 /proc/$p/fd/1 /proc/$p/fd/2; " +
                         "cat fifo >/dev/null; wait $p; }");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "/dev/null\n/dev/null\n/dev/null\n");
    std::string texts;
    for (int i = 1; i <= 40; ++i) texts += "item " + std::to_string(i) + "\n";
    Write("closed/texts.txt", texts);
    for (const char* jobs : {"1", "2"}) {
        r = Shell("cd '" + dir + "' && \"$ORVELK\" batch texts.txt --dump -o l-##.svg --jobs " +
                  jobs + " >&-");
        EXPECT_EQ(r.status, 8) << jobs;
        EXPECT_EQ(r.err, "orvelk batch: cannot write standard output: Bad file descriptor\n")
            << jobs;
    }
    // A reader gone while SIGPIPE is ignored: the reason is the write's own.
    r = Shell("cd '" + dir + "' && trap '' PIPE && \"$ORVELK\" batch texts.txt --dump | true");
    EXPECT_EQ(r.err, "orvelk batch: cannot write standard output: Broken pipe\n");
}

// A batch stuck in a write (a pipe nobody reads as one of its files) is not
// held by its wait for the next line: a second interrupt ends it at once,
// its files being written and the jobs' folder removed.
TEST(CommandLine, ASecondInterruptEndsABatchThatIsStuck) {
    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "stuck/";
    fs::create_directories(dir + "tmp");
    Write("stuck/texts.txt", "a\nb\nc\nd\n");
    for (const char* jobs : {"1", "2"}) {
        // (The shell starts a background run with SIGINT ignored: TERM it is.)
        const ProcessRun r =
            Shell("cd '" + dir + "' && rm -f l-* && mkfifo l-2.svg && { TMPDIR='" + dir + "tmp' " +
                  "\"$ORVELK\" batch texts.txt -o l-#.svg --save-actions set.json --jobs " + jobs +
                  " & p=$!; sleep 0.7; kill -TERM $p; sleep 0.3; kill -TERM $p; sleep 0.7; " +
                  "kill -KILL $p 2>/dev/null; wait $p; }");
        EXPECT_EQ(r.status, 143) << jobs << ": " << r.err;
        EXPECT_TRUE(Has(r.err, "orvelk: interrupted: the files being written were removed"))
            << jobs << ": " << r.err;
        EXPECT_EQ(NamesEndingIn(dir, ".tmp"), 0u) << jobs;
        EXPECT_TRUE(fs::is_empty(dir + "tmp")) << jobs;
    }
}

// An interrupt that stops the save of the action set (a pipe nobody reads)
// is said as the interrupt, and ends the run with 128 + the signal, on one
// process as on several.
TEST(CommandLine, AnInterruptDuringTheSaveIsTheInterrupt) {
    if (RunsThroughEmulator())
        GTEST_SKIP() << "under qemu-i386's user mode the writer thread's join fails with "
                        "EDEADLK once a signal was handled; the case runs where the kernel "
                        "runs the program";
    const std::string dir = TestTempDir() + "late/";
    std::filesystem::create_directories(dir);
    Write("late/texts.txt", "a\nb\n");
    for (const char* jobs : {"1", "2"}) {
        const ProcessRun r =
            Shell("cd '" + dir + "' && rm -f set.json && mkfifo set.json && " +
                  "timeout --preserve-status -s INT 1 \"$ORVELK\" batch " +
                  "texts.txt --dump --save-actions set.json --jobs " + jobs + " >/dev/null");
        EXPECT_EQ(r.status, 130) << jobs << ": " << r.err;
        EXPECT_EQ(r.err,
                  "orvelk batch: interrupted while set.json was being saved: it was not "
                  "saved\n")
            << jobs;
    }
}

// A job whose dump or messages cannot be kept in the temporary folder (a
// full disk, a file size limit) names itself and fails the run with 8.
TEST(CommandLine, AJobThatCannotKeepItsOutputSaysSo) {
    const std::string texts = Write("lost.txt", "1\nabc\n2\nabc\n");
    const ProcessRun r =
        Shell("{ ulimit -f 0; \"$ORVELK\" batch '" + texts +
              "' --mode N --dump --jobs 2 2>&1 >/dev/null; echo \"status $?\"; } " + "| cat");
    EXPECT_TRUE(Has(r.out, "status 8")) << r.out;
    for (const char* what :
         {"lines 1-2 could not keep its dump in ", "lines 1-2 could not keep its messages in ",
          "lines 3-4 could not keep its messages in "})
        EXPECT_TRUE(Has(r.out, what)) << what << ": " << r.out;
}

TEST(CommandLine, EncodeReplayAndBatchTakeOneOutput) {
    const std::string texts = Write("twice.txt", "A\n");
    const ProcessRun r =
        Shell("\"$ORVELK\" batch " + texts + " -o a-#.svg -o b-#.png");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "-o is given twice ('a-#.svg' and 'b-#.png')")) << r.err;
    EXPECT_EQ(Shell("\"$ORVELK\" replay x.json -o a.svg -o b.svg").status, 2);
    EXPECT_EQ(Shell("\"$ORVELK\" encode HI -o a.svg -o b.svg").status, 2);
}

// An empty name for a file, as an unset variable gives ("$SET"), is bad
// usage while the options are read, before anything runs.
TEST(CommandLine, AnEmptyFileNameIsRefused) {
    const std::string texts = Write("empty-names.txt", "A\n");
    for (const std::string& command : std::vector<std::string>{
             "encode HI -o ''", "encode --text-file= ",
             "batch " + texts + " -o l-#.svg --save-actions ''",
             "place --text HI -o p.svg --record ''", "place --text HI --output= --dump",
             "place --text HI --show-preview '' --dump", "replay x.json --dump --app-folder ''"}) {
        const ProcessRun r = Shell("cd '" + TestTempDir() + "' && \"$ORVELK\" " + command);
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(Has(r.err, "'' names no ")) << command << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(TestTempDir() + "p.svg"));
}

// Two outputs of a run, or an output and the file it reads, that are one
// file are refused before anything runs, whatever names they have; files
// of their own are not.
TEST(CommandLine, OutputsThatAreOneFileOrTheInputAreRefused) {
    namespace fs = std::filesystem;
    const std::string dir = TestTempDir() + "same/";
    fs::create_directories(dir + "sub");
    Write("same/items.txt", "A\nB\nC\n");
    fs::create_symlink("items.txt", dir + "l-2.svg");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"place --text HI -o y.svg --record y.svg", "-o 'y.svg' and --record 'y.svg'"},
#if ORVELK_TEST_IMAGE_LIBS  // a build without cairo refuses the PNG first
        {"place --text HI -o x.png --show-dialog sub/../x.png", "and --show-dialog 'sub/../x.png'"},
#endif
        {"place --text HI -o a.svg -o ./a.svg", "-o 'a.svg' and -o './a.svg' are the same file"},
        {"encode --text-file items.txt -o items.txt", "would replace what it reads"},
        {"batch items.txt -o n-#.svg --save-actions items.txt", "are the same file"},
        {"batch items.txt -o n-#.svg --save-actions n-3.svg", "'n-3.svg' is the file of line 3"},
        {"batch items.txt -o l-#.svg", "TEXTS 'items.txt' is the file of line 2 of -o 'l-#.svg'"},
    };
    for (const auto& [command, said] : refused) {
        const ProcessRun r = Shell("cd '" + dir + "' && \"$ORVELK\" " + command);
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(Has(r.err, said)) << command << ": " << r.err;
    }
    EXPECT_EQ(Slurp(dir + "items.txt"), "A\nB\nC\n");
    for (const char* name : {"y.svg", "x.png", "a.svg", "n-1.svg"})
        EXPECT_FALSE(fs::exists(dir + name)) << name;
    // A name of the pattern that no line writes is a file of its own.
    const ProcessRun r =
        Shell("cd '" + dir + "' && \"$ORVELK\" batch items.txt -o n-#.svg --save-actions n-4.svg");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(Slurp(dir + "n-4.svg"), "\"document\": 3")) << Slurp(dir + "n-4.svg");
}

// A batch that places no line has no actions to put in place of the old
// set, on one process or on several.
TEST(CommandLine, ABatchThatPlacesNothingLeavesTheOldActionSet) {
    const std::string dir = TestTempDir() + "nothing/";
    std::filesystem::create_directories(dir);
    Write("nothing/texts.txt", "\n" + std::string(3000, '9') + "\n");  // empty, too long
    for (const char* jobs : {"1", "2"}) {
        Write("nothing/set.json", "the old set");
        const ProcessRun r = Shell("cd '" + dir + "' && \"$ORVELK\" batch texts.txt --dump" +
                                   " --jobs " + jobs + " --save-actions set.json >/dev/null");
        EXPECT_EQ(r.status, 5) << jobs << ": " << r.err;
        EXPECT_TRUE(Has(r.err, "'set.json' was not written: no line was placed; it is as it was"))
            << jobs << ": " << r.err;
        EXPECT_EQ(Slurp(dir + "set.json"), "the old set") << jobs;
    }
}

TEST(CommandLine, BatchShowsProgressOnATerminalOnly) {
    const std::string texts = Write("progress.txt", "A\nB\nC\n");
    for (const char* jobs : {"1", "2"}) {
        const ProcessRun r = Shell("script -qec '\"$ORVELK\" batch " + texts + " --dump --jobs " +
                                   jobs + " >/dev/null' /dev/null");
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_TRUE(Has(r.out, "\rorvelk batch: line 3 of 3")) << jobs << ": " << r.out;
    }
    // The dump on the same terminal: each document starts a line of its own,
    // the progress line cleared before it.
    for (const char* jobs : {"1", "2"}) {
        const ProcessRun r = Shell("script -qec '\"$ORVELK\" batch " + texts + " --dump --jobs " +
                                   jobs + "' /dev/null");
        EXPECT_EQ(r.status, 0) << r.out;
        for (const char* document : {"1", "2", "3"}) {
            const size_t at = r.out.find(std::string("document \"Untitled-") + document + "\"");
            ASSERT_NE(at, std::string::npos) << jobs << ": " << r.out;
            const std::string before =
                r.out.substr(at - std::min<size_t>(at, 4), std::min<size_t>(at, 4));
            EXPECT_TRUE(before.empty() || before.ends_with('\n') || before == "\r\033[K")
                << jobs << ": " << r.out;
        }
    }
}

// `command`'s --help as one line: its words with single blanks between them.
std::string HelpOf(const std::string& command) {
    const std::string help = Shell("\"$ORVELK\" " + command + " --help").out;
    std::string flat;
    for (const char c : help) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank)
            flat += c;
        else if (!flat.empty() && flat.back() != ' ')
            flat += ' ';
    }
    return flat;
}

// What the help texts say of the statuses and values, held to what the
// commands do.
TEST(CommandLine, TheHelpTextsSayWhatTheCommandsDo) {
    const std::string interrupted =
        "128 + N when interrupted by signal N (130 for Ctrl-C, 143 for SIGTERM)";
    for (const char* command : {"", "encode", "place", "batch", "replay"})
        EXPECT_TRUE(Has(HelpOf(command), interrupted)) << command << ": " << HelpOf(command);
    EXPECT_TRUE(Has(HelpOf(""),
                    "; 9 when place placed the symbol and wrote every file, but the "
                    "plug-in could not save its settings at OK;"))
        << HelpOf("");

    // An empty text: each command's own status, which its help gives.
    const std::string empty = Write("empty-line.txt", "A\n\nC\n");
    ProcessRun r = Shell("\"$ORVELK\" encode ''");
    EXPECT_EQ(r.status, 7) << r.err;
    EXPECT_TRUE(Has(HelpOf("encode"), "7 when the text is empty")) << HelpOf("encode");
    r = Shell("\"$ORVELK\" place --no-interactive --text '' -o '" + TestTempDir() + "e.svg'");
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_TRUE(Has(HelpOf("place"),
                    "2 on bad usage or a text that cannot be read or converted "
                    "or that is empty"))
        << HelpOf("place");
    r = Shell("\"$ORVELK\" batch '" + empty + "' --dump");
    EXPECT_EQ(r.status, 5) << r.err;
    EXPECT_TRUE(Has(r.err, "line 2: the line is empty")) << r.err;
    EXPECT_TRUE(Has(HelpOf("batch"), "5 when some lines failed, an empty line among them"))
        << HelpOf("batch");

    // --input-encoding: what its help lists is what it takes and what its
    // refusal names.
    for (const char* command : {"encode", "place", "batch"}) {
        EXPECT_TRUE(Has(HelpOf(command),
                        "--input-encoding ENC utf-8 (default; converted to code "
                        "page 932), or cp932 or bytes"))
            << command;
        r = Shell(std::string("\"$ORVELK\" ") + command + " --input-encoding latin1");
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(Has(r.err, "--input-encoding takes utf-8, bytes or cp932, not 'latin1'"))
            << command << ": " << r.err;
    }
    const ProcessRun bytes = Shell("\"$ORVELK\" encode HELLO --input-encoding bytes");
    EXPECT_EQ(bytes.status, 0) << bytes.err;
    EXPECT_EQ(bytes.out, Shell("\"$ORVELK\" encode HELLO --input-encoding cp932").out);
}

TEST(CommandLine, EveryCommandHasHelpOnStandardOutput) {
    for (const char* command : {"", "encode", "place", "batch", "replay", "info", "about"}) {
        const ProcessRun r = Shell(std::string("\"$ORVELK\" ") + command + " --help");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(Has(r.out, "Usage: orvelk")) << command;
        EXPECT_EQ(r.err, "") << command;
    }
}

}  // namespace
