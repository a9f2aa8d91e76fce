#pragma once

#include <memory>

namespace zv {

struct AppContext;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;

// The six windows, built hidden in their fixed order, each one registered in the context as
// it is built, and destroyed together in reverse order when the program ends.
class WindowSet final {
public:
    explicit WindowSet(AppContext& context);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    [[nodiscard]] TForm1& main() const { return *form1_; }

private:
    AppContext& context_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
};

} // namespace zv
