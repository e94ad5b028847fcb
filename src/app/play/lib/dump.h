#pragma once
// The state dump of veloria-play: one field per line, "name value".
#include <string>
#include <utility>
#include <vector>

namespace veloria {
struct Game;
class RecordingAudio;
}  // namespace veloria

namespace veloria::play {

using DumpFields = std::vector<std::pair<std::string, std::string>>;

// Every field of the dump, in order, read from the game and the recording audio device.
DumpFields CollectDump(Game& g, const RecordingAudio& audio);
// "name value" lines (a field with an empty list prints its name alone).
std::string FormatDump(const DumpFields& fields);
// The value of one field; false when there is no such field.
bool FindField(const DumpFields& fields, const std::string& name, std::string* value);
// Text in double quotes with \" \\ and \n escaped.
std::string Quote(const char* text);

}  // namespace veloria::play
