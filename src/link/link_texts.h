#pragma once
// String-table numbers of the answer checks that every exchange with the controller shares.
constexpr unsigned kWrongAddress = 20054;      // "Error en los códigos de comunicacion."
constexpr unsigned kNotThisModel = 20056;      // "El controlador no es un ZRT94VK"
constexpr unsigned kVerificationError = 20060; // "Error en la verificación del controlador"
constexpr unsigned kWrongAnswerCode = 20061;   // "Código de respuesta erróneo"
constexpr unsigned kWrongLength = 20062;       // "Largo de paquete erróneo"
constexpr unsigned kSequenceError = 20078;     // "Error de secuencia."
