#include "card/picturepreviewloader.h"

#include "store/pictures/imagefile.h"

namespace kontavo {

PicturePreviewLoader::PicturePreviewLoader(Deliver deliver, int maxJpegReduction)
    : m_deliver(std::move(deliver)),
      m_maxJpegReduction(maxJpegReduction),
      m_thread([this] { run(); }) {}

PicturePreviewLoader::~PicturePreviewLoader() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        if (m_request.cancelled) {
            m_request.cancelled->store(true);
        }
    }
    m_wake.notify_one();
    m_thread.join();
}

int PicturePreviewLoader::request(const QString& path) {
    int number = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_request.cancelled) {
            m_request.cancelled->store(true);
        }
        number = ++m_counter;
        m_request = {number, path, std::make_shared<std::atomic<bool>>(false)};
        m_pending = true;
    }
    m_wake.notify_one();
    return number;
}

void PicturePreviewLoader::cancel() {
    std::lock_guard lock(m_mutex);
    if (m_request.cancelled) {
        m_request.cancelled->store(true);
    }
    m_pending = false;
}

void PicturePreviewLoader::run() {
    for (;;) {
        Request job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop) {
                return;
            }
            job = m_request;
            m_pending = false;
        }
        DecodeControl control;
        control.cancel = job.cancelled.get();
        const ImageLoad load = loadImageFile(job.path, m_maxJpegReduction, control);
        if (load.code != imagecode::kCancelled && !job.cancelled->load()) {
            m_deliver(job.number, job.path, load);
        }
    }
}

}  // namespace kontavo
