// set: one block of samples to one channel of one card.
#include "test_host/commands/command_options.h"

#if defined(_WIN32)
#include "common/common.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/play/samples_file.h"
#include "test_host/session/card_outputs_win32.h"
#include "test_host/session/sent_report.h"
#include "test_host/text/text_file_win32.h"
#endif

namespace {

TCardChoice Choice;
int32_t Channel = 0;
bool HasValue = false;
int32_t Value = 0;
std::string SamplesFile;

const TOption Options[] = {
    CardOption(Choice),
    {"--channel", TOptionKind::Number, &ChannelNumber, 0, nullptr, &Channel, nullptr,
     "  --channel C       1 ... 8 digital outputs 1 ... 8, 9 and 10 analog outputs\n"},
    {"--value", TOptionKind::Number, &SampleValue, 0, &HasValue, &Value, nullptr,
     "  --value V         sample value 0 ... 65535: a digital output is on unless V\n"
     "                    is 0; an analog output gets V / 20, at most 255\n"},
    {"--samples", TOptionKind::Text, nullptr, 0, nullptr, nullptr, &SamplesFile,
     "  --samples FILE    1024 values separated by commas, blanks or line ends\n"},
};

bool Check(std::string& error) {
  if (Channel == 0) error = "set needs --channel C";
  else if (HasValue && !SamplesFile.empty()) error = "set takes --value V or --samples FILE, not both";
  else if (!HasValue && SamplesFile.empty()) error = "set needs either --value V or --samples FILE";
  return error.empty();
}

#if defined(_WIN32)
bool ReadSamples(std::vector<uint16_t>& samples, std::string& error) {
  if (HasValue) {
    samples.assign(SamplesPerBlock, static_cast<uint16_t>(Value));
    return true;
  }
  std::string text;
  if (!ReadTextFile(SamplesFile, text, error)) return false;
  if (ParseSamples(text, samples, error)) return true;
  error = SamplesFile + " " + error;
  return false;
}

int RunSet(const TCommand& command) {
  std::vector<uint16_t> samples;
  std::string error;
  if (!ReadSamples(samples, error)) return Fail(ExitBadInput, "set: " + error);

  TModuleSession session;
  TCardOutputs outputs(session);
  if (const int status = outputs.Open(command.Paths, {Choice.Card}, error)) return Fail(status, error);
  if (!outputs.Send(Choice.Card, Channel, samples.data()))
    return Fail(ExitNotReached, outputs.NotReached(Choice.Card, "nothing sent"));

  const std::vector<std::string> names = outputs.ChannelNames();
  const std::string name = Channel <= static_cast<int32_t>(names.size()) ? names[Channel - 1] : "";
  const int32_t mean = AverageSamples(samples.data(), 1, static_cast<int32_t>(samples.size()));
  WriteOut(DescribeSent(Choice.Card, Channel, name, mean));
  return ExitDone;
}
#endif

}  // namespace

extern const TCommandRow SetCommand{"set", nullptr, nullptr, Options, Check, COMMAND_RUN(RunSet),
                                    "  set --card N --channel C --value V\n"
                                    "  set --card N --channel C --samples FILE\n"
                                    "                          sends one block of 1024 samples to channel C of\n"
                                    "                          card N: all of value V, or the values in FILE; the\n"
                                    "                          output stays so, the others keep their state\n"};
