#pragma once

#include <vector>

struct Point {
    double x = 0;
    double y = 0;
};

// Plane geometry used by the rasteriser: plain functions, no state.
namespace geometry {

// Non-zero winding rule, like a GDI polygon region with WINDING fill.
bool PolygonContains(const std::vector<Point>& polygon, double x, double y);

double DistanceToSegment(const Point& a, const Point& b, double x, double y);

// Distance from (x, y) to the nearest edge of the closed polygon.
double DistanceToOutline(const std::vector<Point>& polygon, double x, double y);

std::vector<Point> Translated(const std::vector<Point>& polygon, double dx, double dy);

}  // namespace geometry
