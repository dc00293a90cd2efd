#include "test_host/play/samples_file.h"

#include "test_host/text/number_text.h"
#include "test_host/text/text_lines.h"

bool ParseSamples(std::string_view text, std::vector<uint16_t>& samples, std::string& error) {
  samples.clear();
  TTextLines lines(text);
  const char* separators = ", \t\r";
  for (std::string_view line; lines.Next(line);) {
    for (size_t start; (start = line.find_first_not_of(separators)) != std::string_view::npos;) {
      line.remove_prefix(start);
      const std::string_view field = line.substr(0, line.find_first_of(separators));
      line.remove_prefix(field.size());
      int32_t value = 0;
      if (!ParseQuantity(field, SampleValue, value, error)) {
        error = "line " + std::to_string(lines.Number()) + ": " + error;
        return false;
      }
      samples.push_back(static_cast<uint16_t>(value));
    }
  }
  if (samples.size() == static_cast<size_t>(SamplesPerBlock)) return true;
  error = "holds " + CountOf(samples.size(), "value") + ", not " + std::to_string(SamplesPerBlock);
  return false;
}
