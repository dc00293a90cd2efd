// set: one block of samples to one channel of one card.
#include "common/common.h"
#include "test_host/card_outputs.h"
#include "test_host/commands.h"
#include "test_host/console_output.h"
#include "test_host/exit_status.h"
#include "test_host/samples_file.h"
#include "test_host/sent_report.h"
#include "test_host/text_file.h"

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
