#include "SoundFiles.h"

#include <ogg/ogg.h>
#include <sndfile.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace SoundGen {

namespace {

constexpr int kOggSerial = 0x5A4D;
constexpr int kOggChunkFrames = 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void writePage(std::FILE* file, const ogg_page& page, const std::string& path) {
    if (std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), file) !=
            static_cast<std::size_t>(page.header_len) ||
        std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), file) !=
            static_cast<std::size_t>(page.body_len))
        throw std::runtime_error(path + ": cannot be written");
}

}  // namespace

void writeSoundFile(const std::string& path, const std::vector<float>& samples, int channels, int rate, int format) {
    SF_INFO l_info{};
    l_info.samplerate = rate;
    l_info.channels = channels;
    l_info.format = format;
    SNDFILE* l_pFile = sf_open(path.c_str(), SFM_WRITE, &l_info);
    if (!l_pFile) throw std::runtime_error(path + ": cannot be written: " + sf_strerror(nullptr));
    // The peak chunk of a float file carries the time of writing, which would change every run.
    sf_command(l_pFile, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const auto l_frames = static_cast<sf_count_t>(samples.size() / channels);
    const bool l_ok = sf_writef_float(l_pFile, samples.data(), l_frames) == l_frames;
    sf_close(l_pFile);
    if (!l_ok) throw std::runtime_error(path + ": cannot be written");
}

void writeOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate, float quality) {
    vorbis_info l_info;
    vorbis_info_init(&l_info);
    if (vorbis_encode_init_vbr(&l_info, channels, rate, quality) != 0) {
        vorbis_info_clear(&l_info);
        throw std::runtime_error(path + ": the encoder refuses its settings");
    }
    vorbis_comment l_comment;
    vorbis_comment_init(&l_comment);
    vorbis_dsp_state l_dsp;
    vorbis_analysis_init(&l_dsp, &l_info);
    vorbis_block l_block;
    vorbis_block_init(&l_dsp, &l_block);
    ogg_stream_state l_stream;
    ogg_stream_init(&l_stream, kOggSerial);

    const std::unique_ptr<std::FILE, FileCloser> l_pFile(std::fopen(path.c_str(), "wb"));
    if (!l_pFile) throw std::runtime_error(path + ": cannot be written");
    ogg_packet l_header, l_commentHeader, l_codeHeader;
    vorbis_analysis_headerout(&l_dsp, &l_comment, &l_header, &l_commentHeader, &l_codeHeader);
    ogg_stream_packetin(&l_stream, &l_header);
    ogg_stream_packetin(&l_stream, &l_commentHeader);
    ogg_stream_packetin(&l_stream, &l_codeHeader);
    ogg_page l_page;
    // The headers stand on pages of their own, as decoders expect.
    while (ogg_stream_flush(&l_stream, &l_page)) writePage(l_pFile.get(), l_page, path);

    const std::size_t l_frames = samples.size() / channels;
    std::size_t l_done = 0;
    bool l_ended = false;
    while (!l_ended) {
        const std::size_t l_count = std::min<std::size_t>(kOggChunkFrames, l_frames - l_done);
        if (l_count == 0) {
            vorbis_analysis_wrote(&l_dsp, 0);  // the end of the stream
            l_ended = true;
        } else {
            float** l_buffer = vorbis_analysis_buffer(&l_dsp, static_cast<int>(l_count));
            for (std::size_t l_i = 0; l_i < l_count; ++l_i)
                for (int l_channel = 0; l_channel < channels; ++l_channel)
                    l_buffer[l_channel][l_i] = samples[(l_done + l_i) * channels + l_channel];
            vorbis_analysis_wrote(&l_dsp, static_cast<int>(l_count));
            l_done += l_count;
        }
        while (vorbis_analysis_blockout(&l_dsp, &l_block) == 1) {
            vorbis_analysis(&l_block, nullptr);
            vorbis_bitrate_addblock(&l_block);
            ogg_packet l_packet;
            while (vorbis_bitrate_flushpacket(&l_dsp, &l_packet)) {
                ogg_stream_packetin(&l_stream, &l_packet);
                while (ogg_stream_pageout(&l_stream, &l_page)) writePage(l_pFile.get(), l_page, path);
            }
        }
    }
    while (ogg_stream_flush(&l_stream, &l_page)) writePage(l_pFile.get(), l_page, path);

    ogg_stream_clear(&l_stream);
    vorbis_block_clear(&l_block);
    vorbis_dsp_clear(&l_dsp);
    vorbis_comment_clear(&l_comment);
    vorbis_info_clear(&l_info);
}

SoundData readSoundFile(const std::string& path) {
    SF_INFO l_info{};
    SNDFILE* l_pFile = sf_open(path.c_str(), SFM_READ, &l_info);
    if (!l_pFile) throw std::runtime_error(path + ": cannot be read back: " + sf_strerror(nullptr));
    SoundData l_data;
    l_data.channels = l_info.channels;
    l_data.rate = l_info.samplerate;
    l_data.samples.resize(static_cast<std::size_t>(l_info.frames * l_info.channels));
    const sf_count_t l_read = sf_readf_float(l_pFile, l_data.samples.data(), l_info.frames);
    sf_close(l_pFile);
    if (l_read != l_info.frames) throw std::runtime_error(path + ": cannot be read back whole");
    return l_data;
}

}  // namespace SoundGen
