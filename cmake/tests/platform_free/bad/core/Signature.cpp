struct TPoint {
  int X, Y;
};
TPoint Corner(const RECT& r);
