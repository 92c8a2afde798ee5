// Keeps the test kit library non-empty while it grows; holds nothing.
namespace pellora::kit {}
