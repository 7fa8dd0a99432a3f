// Precompiled once for every test executable (they reuse it, so they share compile settings).
#pragma once

#include "pch/UiPch.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
