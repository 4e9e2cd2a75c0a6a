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
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* pFile = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!pFile) throw std::runtime_error(path + ": cannot be written: " + sf_strerror(nullptr));
    // The peak chunk of a float file carries the time of writing, which would change every run.
    sf_command(pFile, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const auto frames = static_cast<sf_count_t>(samples.size() / channels);
    const bool ok = sf_writef_float(pFile, samples.data(), frames) == frames;
    sf_close(pFile);
    if (!ok) throw std::runtime_error(path + ": cannot be written");
}

void writeOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate, float quality) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error(path + ": the encoder refuses its settings");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, kOggSerial);

    const std::unique_ptr<std::FILE, FileCloser> pFile(std::fopen(path.c_str(), "wb"));
    if (!pFile) throw std::runtime_error(path + ": cannot be written");
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    // The headers stand on pages of their own, as decoders expect.
    while (ogg_stream_flush(&stream, &page)) writePage(pFile.get(), page, path);

    const std::size_t frames = samples.size() / channels;
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t count = std::min<std::size_t>(kOggChunkFrames, frames - done);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
            ended = true;
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i)
                for (int channel = 0; channel < channels; ++channel)
                    buffer[channel][i] = samples[(done + i) * channels + channel];
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) writePage(pFile.get(), page, path);
            }
        }
    }
    while (ogg_stream_flush(&stream, &page)) writePage(pFile.get(), page, path);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
}

SoundData readSoundFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* pFile = sf_open(path.c_str(), SFM_READ, &info);
    if (!pFile) throw std::runtime_error(path + ": cannot be read back: " + sf_strerror(nullptr));
    SoundData data;
    data.channels = info.channels;
    data.rate = info.samplerate;
    data.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t readCount = sf_readf_float(pFile, data.samples.data(), info.frames);
    sf_close(pFile);
    if (readCount != info.frames) throw std::runtime_error(path + ": cannot be read back whole");
    return data;
}

}  // namespace SoundGen
