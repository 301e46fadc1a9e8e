// SPDX-License-Identifier: GPL-3.0-or-later
#include "MimeAttachments.h"

#include "model/TextRules.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace mimeattachments {
namespace {

// GMime's parser descends one call per nested part; a hostile mail of many thousand nested
// multiparts would use up the stack before any limit of ours is reached. Each nesting needs a
// content type of its own, so counting them bounds the depth before parsing.
constexpr std::size_t kMaxContainerMentions = 1000;

std::size_t countIgnoringCase(std::string_view text, std::string_view word) {
    std::size_t count = 0;
    const auto it = [&](std::size_t from) {
        return std::search(
            text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), word.begin(), word.end(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            });
    };
    for (auto found = it(0); found != text.end(); found = it(static_cast<std::size_t>(found - text.begin()) + 1)) {
        ++count;
    }
    return count;
}

void initialiseGmime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

// Owns one GObject reference.
template <typename T> class Ref {
public:
    explicit Ref(T* object) : m_object(object) {}
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (m_object != nullptr) {
            g_object_unref(m_object);
        }
    }
    T* get() const { return m_object; }

private:
    T* m_object;
};

class ParserOptions {
public:
    ParserOptions() : m_options(g_mime_parser_options_new()) {
        // Today's gateway writes attachment names as raw Windows-1252 bytes in quotes; mail programs
        // write UTF-8 or encoded words. Raw bytes are tried as UTF-8 first, then as Windows-1252.
        static const char* fallback[] = {"UTF-8", "windows-1252", nullptr};
        g_mime_parser_options_set_fallback_charsets(m_options, fallback);
        g_mime_parser_options_set_rfc2047_compliance_mode(m_options, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_parameter_compliance_mode(m_options, GMIME_RFC_COMPLIANCE_LOOSE);
    }
    ParserOptions(const ParserOptions&) = delete;
    ParserOptions& operator=(const ParserOptions&) = delete;
    ~ParserOptions() { g_mime_parser_options_free(m_options); }
    GMimeParserOptions* get() const { return m_options; }

private:
    GMimeParserOptions* m_options;
};

std::string partContent(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (content == nullptr) {
        return {};
    }
    const Ref<GMimeStream> memory(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, memory.get()) < 0) {
        return {};
    }
    const GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return array != nullptr ? std::string(reinterpret_cast<const char*>(array->data), array->len) : std::string();
}

class Walker {
public:
    explicit Walker(Found& found) : m_found(found) {}

    void walk(GMimeObject* object, int depth) {
        if (object == nullptr) {
            return;
        }
        if (depth > kMaxNesting) {
            m_found.problem = "parts nested more than " + std::to_string(kMaxNesting) + " deep were not read";
            return;
        }
        if (GMIME_IS_MESSAGE_PART(object)) {
            // A mail forwarded as an attachment carries the replies inside it.
            GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
            if (inner != nullptr) {
                walk(g_mime_message_get_mime_part(inner), depth + 1);
            }
        } else if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            const int count = g_mime_multipart_get_count(multipart);
            for (int i = 0; i < count; ++i) {
                walk(g_mime_multipart_get_part(multipart, i), depth + 1);
            }
        } else if (GMIME_IS_PART(object)) {
            GMimePart* part = GMIME_PART(object);
            const char* name = g_mime_part_get_filename(part);
            if (name != nullptr && isFeedbackName(name)) {
                m_found.attachments.push_back({name, partContent(part)});
            }
        }
    }

private:
    Found& m_found;
};

} // namespace

bool isFeedbackName(std::string_view name) {
    return endsWithIgnoringCase(name, ".kvi") || endsWithIgnoringCase(name, ".kvq");
}

Found feedbackAttachments(std::string_view message) {
    Found found;
    if (countIgnoringCase(message, "multipart") + countIgnoringCase(message, "message/") > kMaxContainerMentions) {
        found.problem = "too many nested parts, not read";
        return found;
    }
    initialiseGmime();
    const ParserOptions options;
    const Ref<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(message.data(), message.size()));
    const Ref<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    const Ref<GMimeMessage> parsed(g_mime_parser_construct_message(parser.get(), options.get()));
    if (parsed.get() == nullptr) {
        found.problem = "not a mail message";
        return found;
    }
    Walker(found).walk(g_mime_message_get_mime_part(parsed.get()), 0);
    return found;
}

} // namespace mimeattachments
