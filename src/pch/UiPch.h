// Precompiled for the views and the test executables: the core set plus Qt Widgets.
#pragma once

#include "pch/CorePch.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
