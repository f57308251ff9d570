// Small drawings written by our own generator for the widget tests.
#pragma once

#include <QString>

#include <functional>
#include <string>

#include "jww/jwwunit.h"

// Generates a small drawing of version 7.00 without images, lets `edit` change it, saves it as
// `fileName` in `folder` and returns its path as the system's bytes. Fails the test (and
// returns an empty path) when the drawing cannot be saved.
std::string WriteTestDrawing(const QString& folder, const QString& fileName,
                             const std::function<void(TJwwDocument&)>& edit = {});

// Loads a drawing into a document of its own; fails the test when it cannot be loaded.
std::unique_ptr<TJwwDocument> LoadTestDrawing(const std::string& path);
