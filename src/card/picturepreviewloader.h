#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "store/pictures/imageload.h"

namespace kontavo {

// Decodes picture previews on one worker thread. Each request cancels the
// one before it: the decoders look at its cancel flag between rows and give
// up (imagecode::kCancelled), and such a result is dropped, never delivered.
// At most one decoding runs at a time.
//
// `deliver` is called on the worker thread with the request's number and its
// result; it must hand the result over to its own thread. The destructor
// cancels what runs, stops the thread and waits for it.
class PicturePreviewLoader {
public:
    using Deliver = std::function<void(int request, const QString& path, const ImageLoad& load)>;

    explicit PicturePreviewLoader(Deliver deliver, int maxJpegReduction = 4);
    ~PicturePreviewLoader();
    PicturePreviewLoader(const PicturePreviewLoader&) = delete;
    PicturePreviewLoader& operator=(const PicturePreviewLoader&) = delete;

    // Asks for the file at host path `path`; returns the request's number.
    int request(const QString& path);
    // Cancels the current request, if any; nothing is delivered for it.
    void cancel();

private:
    struct Request {
        int number = 0;
        QString path;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    void run();

    Deliver m_deliver;
    int m_maxJpegReduction;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_stop = false;
    Request m_request;
    int m_counter = 0;
    std::thread m_thread;
};

}  // namespace kontavo
