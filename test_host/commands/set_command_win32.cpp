// set: one block of samples to one channel of one card.
#include "common/common.h"
#include "test_host/session/card_outputs_win32.h"
#include "test_host/commands/commands_win32.h"
#include "test_host/console/console_output_win32.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/play/samples_file.h"
#include "test_host/session/sent_report.h"
#include "test_host/text/text_file_win32.h"

namespace {

bool ReadSamples(const TCommand& command, std::vector<uint16_t>& samples, std::string& error) {
  if (command.HasValue) {
    samples.assign(SamplesPerBlock, static_cast<uint16_t>(command.Value));
    return true;
  }
  std::string text;
  if (!ReadTextFile(command.SamplesFile, text, error)) return false;
  if (ParseSamples(text, samples, error)) return true;
  error = command.SamplesFile + " " + error;
  return false;
}

}  // namespace

int RunSet(const TCommand& command) {
  std::vector<uint16_t> samples;
  std::string error;
  if (!ReadSamples(command, samples, error)) return Fail(ExitBadInput, "set: " + error);

  TModuleSession session;
  TCardOutputs outputs(session);
  if (const int status = outputs.Open(command, {command.Card}, error)) return Fail(status, error);
  if (!outputs.Send(command.Card, command.Channel, samples.data()))
    return Fail(ExitNotReached, outputs.NotReached(command.Card) + ": nothing sent");

  const std::vector<std::string> names = outputs.ChannelNames();
  const std::string name = command.Channel <= static_cast<int32_t>(names.size()) ? names[command.Channel - 1] : "";
  const int32_t mean = AverageSamples(samples.data(), 1, static_cast<int32_t>(samples.size()));
  WriteOut(DescribeSent(command.Card, command.Channel, name, mean));
  return ExitDone;
}
