#include "expected_records.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int FieldIndex(const std::string& name)
{
    for (int i = 0; i < kRecordTextCount; ++i) {
        if (name == kRecordTextNames[i])
            return i;
    }
    return -1;
}

bool ParseInt(const std::string& text, int* value)
{
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        return false;
    *value = static_cast<int>(parsed);
    return true;
}

bool ParseDirective(const std::string& line, ExpectedCase* expected)
{
    std::istringstream words(line);
    std::string directive;
    words >> directive;
    std::vector<std::string> args;
    for (std::string word; words >> word;)
        args.push_back(word);
    if (directive == "@config" && args.size() == 3) {
        ConfigValue value{args[0], args[1], 0};
        expected->config.push_back(value);
        return ParseInt(args[2], &expected->config.back().value);
    }
    if (directive == "@record" && (args.size() == 1 || args.size() == 2)) {
        RecordCopy record;
        if (!ParseInt(args[0], &record.status))
            return false;
        if (args.size() == 2 && !ParseInt(args[1], &record.sourceType))
            return false;
        expected->records.push_back(record);
        return true;
    }
    return false;
}

bool ParseField(const std::string& line, ExpectedCase* expected)
{
    size_t equals = line.find('=');
    if (equals == std::string::npos || expected->records.empty())
        return false;
    int field = FieldIndex(line.substr(0, equals));
    std::string text;
    if (field < 0 || !Unescape(line.substr(equals + 1), &text))
        return false;
    std::optional<std::string>& slot = expected->records.back().texts[field];
    if (slot)
        return false;
    slot = text;
    return true;
}

}  // namespace

bool Unescape(const std::string& text, std::string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case 'r': *out += '\r'; break;
        case 'n': *out += '\n'; break;
        case 't': *out += '\t'; break;
        case 's': *out += ' '; break;
        case '\\': *out += '\\'; break;
        case 'x': {
            int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
            int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                return false;
            *out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

ExpectedCase ReadExpectedCase(const std::string& path)
{
    ExpectedCase expected;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        bool ok = line[0] == '@' ? ParseDirective(line, &expected) : ParseField(line, &expected);
        EXPECT_TRUE(ok) << path << ":" << number << ": cannot read \"" << line << "\"";
    }
    EXPECT_FALSE(expected.records.empty()) << path << " expects no record at all";
    return expected;
}
