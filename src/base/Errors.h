#pragma once

#include <exception>
#include <string>

// Every failure the program reports is one of these kinds. The message is text (UTF-8), ready
// to be shown in a box.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define QUORLAN_ERROR_KIND(Name, Base)                                                             \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

QUORLAN_ERROR_KIND(EFCreateError, Exception);
QUORLAN_ERROR_KIND(EWriteError, Exception);
QUORLAN_ERROR_KIND(EOutOfResources, Exception);
QUORLAN_ERROR_KIND(EInvalidOperation, Exception);
QUORLAN_ERROR_KIND(EInvalidGraphic, Exception);
QUORLAN_ERROR_KIND(EInvalidGraphicOperation, Exception);
QUORLAN_ERROR_KIND(EJPEG, EInvalidGraphic);
QUORLAN_ERROR_KIND(EIniFileException, Exception);
QUORLAN_ERROR_KIND(EConvertError, Exception);
QUORLAN_ERROR_KIND(ETextLanguage, Exception);

#undef QUORLAN_ERROR_KIND
